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
// The bookmark file of the game in progress; empty when there is none.
constexpr Field kBookmarkPath{701, 200};

// Filled from the Preference section of the settings file.
constexpr Field kBackgroundDefault{27, 1};
constexpr Field kBackgroundColour{28, 15};
constexpr Field kBackgroundPicture{43, 4};
constexpr Field kBackgroundFixedColour{47, 15};
constexpr Field kShowTime{66, 1};
constexpr Field kCardsAnimate{67, 1};
constexpr Field kLanguage{68, 6};
constexpr Field kSpeedMoveCard{74, 2};
constexpr Field kStatusBar{76, 1};
constexpr Field kUserDefault{77, 30};
constexpr Field kFadeBackground{135, 1};
constexpr Field kShowScore{136, 1};
constexpr Field kSoundsEnabled{141, 1};
constexpr Field kRandomBackground{152, 1};
constexpr Field kCursor{172, 2};
constexpr Field kCardsShadowed{178, 1};
constexpr Field kPilesToolTips{179, 1};
constexpr Field kConfirmQuitGame{185, 1};
constexpr Field kConfirmEnterHiScores{186, 1};
constexpr Field kRandomCard{187, 1};
constexpr Field kRandomDeck{188, 1};
constexpr Field kAutomaticFaceUp{239, 1};
constexpr Field kDealAnimation{241, 1};
constexpr Field kRedealAnimation{242, 1};
constexpr Field kVertScrollBar{243, 1};
constexpr Field kShowToolTips{244, 1};
constexpr Field kShowPilesSize{245, 1};
constexpr Field kCustomizedBackground{246, 1};
constexpr Field kRightClickToFoundations{247, 1};
constexpr Field kRightClickToTableaus{248, 1};
constexpr Field kDoubleClickToFoundations{249, 1};
constexpr Field kDoubleClickToTableaus{251, 1};
constexpr Field kShowMainPopupMenu{253, 1};
constexpr Field kShowPartialHiddenCard{255, 1};

// Sound switches, "Y" or "N".
constexpr Field kSoundsAbout{142, 1};
constexpr Field kSoundsAutoplay{143, 1};
constexpr Field kSoundsGameWon{144, 1};
constexpr Field kSoundsNewGame{145, 1};
constexpr Field kSoundsRedo{146, 1};
constexpr Field kSoundsRestart{147, 1};
constexpr Field kSoundsSplash{148, 1};
constexpr Field kSoundsShuffle{149, 1};
constexpr Field kSoundsUndo{151, 1};
constexpr Field kSoundsHiScores{171, 1};
constexpr Field kSoundsNewHiScores{174, 1};
constexpr Field kSoundsPairing{175, 1};
constexpr Field kSoundsStock{176, 1};
constexpr Field kSoundsTableau{177, 1};
constexpr Field kSoundsFaceUp{180, 1};
constexpr Field kSoundsCardDown{181, 1};
constexpr Field kSoundsCardUp{182, 1};
constexpr Field kSoundsRedeal{183, 1};
constexpr Field kSoundsFoundation{184, 1};
constexpr Field kSoundsRedealWithoutAnimation{252, 1};

// Set while the program runs, never read from the file.
// The two run counters of the statistics, "0000" at start-up and on a change of game or player.
constexpr Field kRunCounter1{112, 4};
constexpr Field kRunCounter2{116, 4};
// "01" at start-up; a two-digit number of the statistics and hi-scores.
constexpr Field kStatsCode{120, 2};
// "1" once undo or redo has been used in the current game.
constexpr Field kUndoUsed{138, 1};
constexpr Field kRedoUsed{139, 1};
// Card set, back and size kept while a game forces the medium size.
constexpr Field kSavedCardSet{129, 3};
constexpr Field kSavedCardBack{132, 3};
constexpr Field kSavedCardSize{240, 1};
} // namespace field

inline std::string GetSetting(const SettingsRecord& s, field::Field f) {
    return s.GetSetting(f.position, f.length);
}
inline void SetSetting(SettingsRecord& s, field::Field f, std::string_view value) {
    s.SetSetting(f.position, f.length, value);
}

} // namespace quendra
