#pragma once

#include <string>
#include <string_view>

namespace quendra {

// The in-memory settings: one text in which every setting has a fixed position and length.
// Block A holds positions 1 to 249, block B 250 to 499, block C 500 and up; each starts as
// 250 blanks and grows when written beyond its end.
class SettingsRecord {
public:
    SettingsRecord();

    // The field's characters with trailing blanks removed.
    std::string GetSetting(int position, int length) const;
    // The value without leading blanks, cut or padded with blanks to the field's length.
    void SetSetting(int position, int length, std::string_view value);

private:
    std::string& BlockFor(int position, int& offset);
    const std::string& BlockFor(int position, int& offset) const;

    std::string blockA_, blockB_, blockC_;
};

// Field positions and lengths used across the program.
namespace field {
struct Field {
    int position;
    int length;
};
constexpr Field kSettingsFile{1, 20};
constexpr Field kBackCard{21, 3};
constexpr Field kCardSet{24, 3};
constexpr Field kGameNumber{62, 4};
constexpr Field kDealNumber{153, 15};
constexpr Field kScore{122, 6};
constexpr Field kCardSize{128, 1};
constexpr Field kUndoMode{137, 1};
constexpr Field kGameName{189, 50};
constexpr Field kProgramDir{501, 200};
constexpr Field kKeptPath{701, 200};
} // namespace field

inline std::string GetSetting(const SettingsRecord& s, field::Field f) {
    return s.GetSetting(f.position, f.length);
}
inline void SetSetting(SettingsRecord& s, field::Field f, std::string_view value) {
    s.SetSetting(f.position, f.length, value);
}

} // namespace quendra
