// The qvsim program run as a process of its own, with what it prints to
// read line by line; killed when the test is done with it.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace qv::testing {

class QvsimProcess {
 public:
  QvsimProcess(const char* program, const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    output_ = fdopen(out[0], "r");
  }
  ~QvsimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (output_) std::fclose(output_);
  }
  QvsimProcess(const QvsimProcess&) = delete;
  QvsimProcess& operator=(const QvsimProcess&) = delete;

  // The next line it prints, without its newline; empty at the end.
  std::string Line() {
    char line[512];
    if (!output_ || !std::fgets(line, sizeof line, output_)) return "";
    std::string s(line);
    if (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
  }
  void Signal(int sig) { kill(pid_, sig); }
  // The exit code, or -1 when it did not exit by itself.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
};

}  // namespace qv::testing
