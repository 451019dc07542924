#include "qvextract/ExtractCommand.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "common/Prompter.h"
#include "upload/extraction/ArchiveCsv.h"
#include "upload/extraction/RunFileExtractor.h"

namespace qv {

namespace {

constexpr const char* kUsage =
    "Usage: qvextract [--raw] [--pad] [--debug-log] [-o DIR] RUNFILE...\n"
    "       qvextract --csv [-o DIR] ARCHIVE...\n"
    "\n"
    "Extracts each run file uploaded from a logger (named name.NNN, NNN the run\n"
    "number) as the host's \"Parse Run Files\" does: archive.NNN, Battery.NNN and\n"
    "Summary.NNN, and with --raw also Port1.NNN to Port8.NNN, analog.NNN and\n"
    "timestp.NNN. The files are written beside each run file.\n"
    "\n"
    "  --raw        \"QV Archive Plus Raw Files\" (default \"QV Archive\")\n"
    "  --pad        \"Add Pad\": complete archive records get their \"####\" trailer\n"
    "  --debug-log  \"Write Debug File\": a line per record in log.dat\n"
    "  -o DIR       write into the folder DIR instead\n"
    "  --csv        write ARCHIVE.csv from each archive file: a row per line of\n"
    "               port text (time,logger_id,sequence,port,text); bytes that are\n"
    "               not text go in one row as hexadecimal\n"
    "  --help       show this text\n"
    "\n"
    "Each notice is a line CAPTION: TEXT on standard error. Exit status: 0 when\n"
    "there was none, 1 when there was any, 2 on a usage error.\n";

struct Command {
  bool raw = false;
  bool pad = false;
  bool debugLog = false;
  bool csv = false;
  bool help = false;
  std::string folder;
  std::vector<std::string> files;
};

// The parsed command, or nothing after telling the usage error.
std::optional<Command> Parse(const std::vector<std::string>& args, std::ostream& err) {
  Command c;
  auto usage = [&err](const std::string& problem) {
    err << "qvextract: " << problem << "\nTry 'qvextract --help'.\n";
    return std::nullopt;
  };
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!options || a.empty() || a[0] != '-' || a == "-") {
      c.files.push_back(a);
    } else if (a == "--") {
      options = false;
    } else if (a == "--raw") {
      c.raw = true;
    } else if (a == "--pad") {
      c.pad = true;
    } else if (a == "--debug-log") {
      c.debugLog = true;
    } else if (a == "--csv") {
      c.csv = true;
    } else if (a == "--help" || a == "-h") {
      c.help = true;
    } else if (a == "-o") {
      if (i + 1 >= args.size()) return usage("-o needs a folder");
      c.folder = args[++i];
    } else {
      return usage("unknown option '" + a + "'");
    }
  }
  if (c.help) return c;
  if (c.csv && (c.raw || c.pad || c.debugLog))
    return usage("--csv takes no --raw, --pad or --debug-log");
  if (c.files.empty()) return usage(c.csv ? "no archive file given" : "no run file given");
  std::error_code ec;
  if (!c.folder.empty() && !std::filesystem::is_directory(c.folder, ec))
    return usage("'" + c.folder + "' is not a folder");
  return c;
}

// The notice box of a program without windows.
class ErrorStreamPrompter : public Prompter {
 public:
  explicit ErrorStreamPrompter(std::ostream& err) : err_(err) {}
  bool AnyNotice() const { return any_; }

  Answer Ask(const std::string&, const std::string&, Buttons, Icon) override { return Answer::Cancel; }
  void Sound(Beep) override {}
  std::optional<std::string> SaveFile(const FileDialogSpec&) override { return std::nullopt; }
  std::optional<std::string> OpenFile(const FileDialogSpec&) override { return std::nullopt; }

 protected:
  void ShowMessage(const std::string& caption, const std::string& text) override {
    err_ << caption << ": " << text << '\n';
    any_ = true;
  }

 private:
  std::ostream& err_;
  bool any_ = false;
};

}  // namespace

int RunExtractCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Command> c = Parse(args, err);
  if (!c) return kExitUsage;
  if (c->help) {
    out << kUsage;
    return kExitDone;
  }
  ErrorStreamPrompter prompter(err);
  if (c->csv) {
    for (const std::string& archive : c->files) {
      const std::filesystem::path name = std::filesystem::path(archive).filename();
      const std::string csv =
          c->folder.empty() ? archive + ".csv"
                            : (std::filesystem::path(c->folder) / name).string() + ".csv";
      WriteArchiveCsv(archive, csv, prompter);
    }
  } else {
    auto extractor = std::make_unique<RunFileExtractor>(prompter);
    extractor->SetAddPad(c->pad);
    extractor->SetDebugLog(c->debugLog);
    extractor->SetOutputFolder(c->folder);
    for (const std::string& run : c->files)
      extractor->ExtractRunFile(run, c->raw ? kExtractArchiveAndRaw : kExtractArchive);
  }
  return prompter.AnyNotice() ? kExitNoticed : kExitDone;
}

}  // namespace qv
