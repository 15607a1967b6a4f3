#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QAction;
class QComboBox;
class QTextEdit;
class QToolBar;

namespace quendra {

struct GameContext;
class ImagesModule;

// " Comments": free notes for each game, kept as rich text in DATA/Comments_<name>.rtf. The
// text of the game shown is saved when another game is chosen and when the dialog closes; an
// emptied text removes the file.
class CommentsDialog : public QDialog {
    Q_OBJECT
  public:
    CommentsDialog(GameContext& ctx, const ImagesModule& images, QWidget* parent);

    QComboBox* games() const { return games_; }
    QTextEdit* editor() const { return editor_; }
    QAction* boldAction() const { return bold_; }
    QAction* italicAction() const { return italic_; }
    QAction* underlineAction() const { return underline_; }
    QAction* insertGameNumberAction() const { return insertNumber_; }
    QAction* insertDateTimeAction() const { return insertDate_; }
    QAction* clearAction() const { return clear_; }

    // Saves the text shown, then closes.
    void done(int result) override;

  private:
    void load(int index);
    void save();
    void gameChosen(int index);
    void setStyle(QAction* action);
    void followCursorStyle();
    void insertLine(const QString& line);
    void clearComments();
    void updateMark(int index);

    GameContext& ctx_;
    QComboBox* games_;
    QTextEdit* editor_;
    QAction* bold_;
    QAction* italic_;
    QAction* underline_;
    QAction* insertNumber_;
    QAction* insertDate_;
    QAction* clear_;
    int shown_ = -1;
    // The file of the game shown could not be read: it is kept unless the player writes anew.
    bool unreadable_ = false;
};

} // namespace quendra
