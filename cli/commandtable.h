#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

namespace cli {

// One bit per command, to say which commands take an option.
enum CommandBit : unsigned
{
    PrintBit = 1u << 0,
    CheckBit = 1u << 1,
    ShowBit = 1u << 2,
    SheetBit = 1u << 3,
    TestPrintBit = 1u << 4,
    CalibrateBit = 1u << 5,
    ConvertBit = 1u << 6,
    PreviewBit = 1u << 7,
    MeasureBit = 1u << 8,
    ForgetBit = 1u << 9,
};

struct CommandInfo
{
    const char* Name;      // print
    const char* Arguments; // "X Y A B", or "" for none
    std::size_t ArgumentCount;
    unsigned Bit;
    const char* Description; // English; translated when shown
};

struct OptionInfo
{
    const char* Long;      // printer
    const char* Shorts;    // "dP": its one-letter names, each on its own
    const char* ValueName; // QUEUE; nullptr for an option without a value
    unsigned Commands;     // the commands that take it; 0: only without a command
    const char* Help;      // English, lines split by \n; translated when shown
    const char* Needs;     // English: what its value must be; translated when shown
};

// The tool's commands and options, in the order the help lists them.
const std::vector<CommandInfo>& Commands();
const std::vector<OptionInfo>& Options();

const CommandInfo* FindCommand(const std::string& name);
// By a long or one-letter name, given without dashes.
const OptionInfo* FindOption(const QString& name);

// What the option takes, says and needs in the help of the command with
// commandBit (0: the tool's help), where that differs from the table.
const char* OptionValueName(const OptionInfo& option, unsigned commandBit);
const char* OptionHelp(const OptionInfo& option, unsigned commandBit);
const char* OptionNeeds(const OptionInfo& option, unsigned commandBit);

// How the option is written on the command line: -o, --output.
QString OptionSpelling(const QString& name);

// The tool's own texts are translated in one context.
QString Tr(const char* text);

} // namespace cli
