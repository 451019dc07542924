#include "ui/Options.h"

#include <QDir>
#include <QStandardPaths>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "platform/ComPortTable.h"

namespace qv::ui {

std::string UsageText() {
  return "Usage: qvhost [options] [Qt options, e.g. -platform offscreen]\n"
         "\n"
         "Options:\n"
         "  --port COMn=PATH       use device PATH as COM n (1..12); may be repeated\n"
         "  --config FILE          read the host configuration from FILE at start-up and\n"
         "                         write it there at Exit, instead of last.qvh in the\n"
         "                         user's configuration folder (~/.config/qvhost/)\n"
         "  --screenshot FILE      save a picture of the main window to FILE shortly\n"
         "                         after start-up, then exit\n"
         "  --quit-after SECONDS   end the program after SECONDS without saving anything\n"
         "  --help                 show this text\n";
}

std::string HostConfigPath(const Options& options) {
  if (!options.config.empty()) return options.config;
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (dir.isEmpty()) return {};
  if (!QDir().mkpath(dir)) std::cerr << "qvhost: could not create " << dir.toStdString() << "\n";
  return QDir(dir).filePath(QStringLiteral("last.qvh")).toStdString();
}

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  auto fail = [&o](std::string text) {
    if (o.error.empty()) o.error = std::move(text);
  };
  for (size_t i = 0; i < args.size() && o.error.empty(); ++i) {
    std::string arg = args[i];
    std::string value;
    bool hasValue = false;
    // "--name=value" and "--name value" both work.
    if (arg.rfind("--", 0) == 0) {
      if (auto eq = arg.find('='); eq != std::string::npos) {
        value = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
        hasValue = true;
      }
    }
    auto takeValue = [&]() -> bool {
      if (hasValue) return true;
      if (i + 1 >= args.size()) {
        fail("option " + arg + " needs a value");
        return false;
      }
      value = args[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--port") {
      if (!takeValue()) break;
      ComPortTable scratch;
      if (std::string bad = scratch.ApplyOverride(value); !bad.empty())
        fail("--port: " + bad);
      else
        o.portOverrides.push_back(value);
    } else if (arg == "--config") {
      if (!takeValue()) break;
      if (value.empty()) fail("option --config needs a file name");
      o.config = value;
    } else if (arg == "--screenshot" || arg == "--screenshot-dialogs") {
      if (!takeValue()) break;
      if (value.empty()) fail("option " + arg + " needs a file name");
      (arg == "--screenshot" ? o.screenshot : o.screenshotDialogs) = value;
    } else if (arg == "--quit-after") {
      if (!takeValue()) break;
      char* end = nullptr;
      const double seconds = std::strtod(value.c_str(), &end);
      if (value.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0 ||
          seconds > 1e6)
        fail("--quit-after needs a number of seconds above 0, not '" + value + "'");
      else
        o.quitAfterSeconds = seconds;
    } else if (arg.rfind("-", 0) == 0) {
      fail("unknown option '" + arg + "'");
    } else {
      fail("unexpected argument '" + arg + "'");
    }
  }
  return o;
}

}  // namespace qv::ui
