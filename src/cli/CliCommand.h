#pragma once

#include <QStringList>
#include <functional>
#include <map>
#include <string>

// quarn-cli's commands. Each command's source file registers itself with a
// static TCliCommand::Registrar, so adding a command touches no other file.
struct TCliCommand {
  std::string Name;
  std::string Summary;  // one line for --help
  std::string Usage;    // the argument synopsis
  // Runs with the arguments after the command name; returns the exit code.
  std::function<int(const QStringList& args)> Run;

  static std::map<std::string, TCliCommand>& All();

  struct Registrar {
    explicit Registrar(TCliCommand command) { All().emplace(command.Name, std::move(command)); }
  };
};
