// quarn-cli: the headless companion of Quarn (search, parse and query from a shell).
#include <QCoreApplication>
#include <cstdio>

#include "cli/CliCommand.h"
#include "core/app/VersionInfo.h"

std::map<std::string, TCliCommand>& TCliCommand::All() {
  static std::map<std::string, TCliCommand> commands;
  return commands;
}

namespace {
void PrintHelp() {
  std::puts("Usage: quarn-cli COMMAND [ARGUMENTS]\n\nCommands:");
  for (const auto& [name, cmd] : TCliCommand::All())
    std::printf("  %-10s %s\n", name.c_str(), cmd.Summary.c_str());
  std::puts("  version    print the version\n  help       print this text");
  for (const auto& [name, cmd] : TCliCommand::All()) {
    if (!cmd.Usage.empty()) std::printf("\n  quarn-cli %s %s", name.c_str(), cmd.Usage.c_str());
  }
  std::puts("");
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty() || args.first() == QLatin1String("--help") ||
      args.first() == QLatin1String("-h") || args.first() == QLatin1String("help")) {
    PrintHelp();
    return args.isEmpty() ? 2 : 0;
  }
  const std::string name = args.takeFirst().toStdString();
  if (name == "version" || name == "--version") {
    const TVersionInfo v = TVersionInfo::Current();
    std::printf("Quarn %s%s\n", qPrintable(v.DisplayedVersion()), qPrintable(v.BetaText()));
    return 0;
  }
  const auto it = TCliCommand::All().find(name);
  if (it == TCliCommand::All().end()) {
    std::fprintf(stderr, "quarn-cli: unknown command '%s' (see quarn-cli --help)\n", name.c_str());
    return 2;
  }
  return it->second.Run(args);
}
