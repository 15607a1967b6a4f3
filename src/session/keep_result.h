#pragma once

#include <string>

namespace quendra {

// What a command that keeps a game (save, open, hold, resume, bookmark, restart) did.
// Every message the player must see has already been shown through the context's Host
// (an information box in the window, a line on standard error in the command-line tool);
// it is repeated in `message` for callers that log it or set an exit status.
struct KeepResult {
    enum class Status {
        Done,        // the command did what was asked
        Cancelled,   // the player declined a question (leave this game, restart ...)
        NotAllowed,  // the command does not apply now (no game in play, a game that may not
                     // be saved, a winning animation running): a beep, no message
        Missing,     // the file is not there: "File not found: " + path
        BadFile,     // the file was read and refused: nothing changed
        WriteFailed, // the file could not be written: the old file, if any, is as it was
        NotPlayable, // the saved game cannot be played on this screen (its own message)
        EndedAsWon,  // the game given up was found won: the command stopped there
    };

    Status status = Status::Done;
    std::string message;

    bool Ok() const { return status == Status::Done; }
};

} // namespace quendra
