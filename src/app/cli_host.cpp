#include "cli_host.h"

#include <ostream>

namespace quendra {

// Message texts break lines with a carriage return; a terminal wants line feeds.
void CliHost::Print(const std::string& text) {
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != '\r') continue;
        if (i + 1 < out.size() && out[i + 1] == '\n')
            out.erase(i, 1);
        else
            out[i] = '\n';
    }
    err_ << out << '\n';
}

void CliHost::ShowInformation(const std::string& text) {
    Print(text);
}

void CliHost::ShowError(const std::string& text) {
    Print("Error: " + text);
}

bool CliHost::Confirm(const std::string& text) {
    Print(text);
    return yes_;
}

Host::Answer CliHost::AskYesNoCancel(const std::string& text) {
    Print(text);
    return yes_ ? Answer::Yes : Answer::No;
}

// Advice is printed; nobody ticks the box on a terminal.
bool CliHost::ShowAdvice(const std::string& message, int /*page*/) {
    Print(message);
    return false;
}

} // namespace quendra
