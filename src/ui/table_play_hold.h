#pragma once

#include "table_play.h"

namespace quendra {

// Sets a flag for the lifetime of the object.
class Raised {
  public:
    explicit Raised(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Raised() { flag_ = old_; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

  private:
    bool& flag_;
    bool old_;
};

// Holds the pointer's input back while it lives (a flight, the deal, the winning animation,
// one of the table's handlers); what came meanwhile is played when the last one ends.
class HoldInput {
  public:
    HoldInput(TablePlay& table, bool& flag) : table_(table), flag_(&flag), old_(flag) {
        flag = true;
    }
    explicit HoldInput(TablePlay& table) : table_(table) { ++table.handling_; }
    ~HoldInput() {
        if (flag_)
            *flag_ = old_;
        else
            --table_.handling_;
        table_.resumeInput();
    }
    HoldInput(const HoldInput&) = delete;
    HoldInput& operator=(const HoldInput&) = delete;

  private:
    TablePlay& table_;
    bool* flag_ = nullptr;
    bool old_ = false;
};

} // namespace quendra
