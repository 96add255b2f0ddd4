#pragma once
// The commands tesso-cli knows, one row each: the name typed, the arguments it takes, its lines in
// --help and the session's steps that run it. The options' checks, the usage text and the session's
// dispatch all read this table, so a new command is one more row (and its steps in CliSession).

#include <vector>

#include <QString>

namespace tesso
{

class CliSession;

class CliCommands
{
  public:
    using Step = int (CliSession::*)();

    // What may follow the command's name.
    struct Arguments {
        int fewest = 0;
        int most = 0; // -1: any number
        // An option accepted after exactly one plain argument (and its value), or nullptr.
        const char* option = nullptr;
        bool optionTakesValue = false;
    };

    struct Command {
        const char* name;
        Arguments arguments;
        const char* refusal;    // the usage error when the arguments do not fit
        const char* serialOnly; // why the command needs --serial; nullptr when any link will do
        const char* synopsis;   // the name and its arguments, as --help shows them
        const char* summary;    // what it does, one --help line per '\n'
        Step prepare;           // checks what the user typed before the link opens; may be null
        Step run;
        bool needsLink = true; // false: runs without a device (no link is opened)
    };

    // Every row, in the order --help lists them.
    static const std::vector<Command>& all();
    // The row for a lower-case name, nullptr when there is none.
    static const Command* find(const QString& name);
    // The "Commands:" lines of --help, in the table's order.
    static QString usage();
};

} // namespace tesso
