#include "comments_dialog.h"

#include "browser_catalogue.h"
#include "comment_mark.h"
#include "comments.h"
#include "game_context.h"
#include "images_module.h"
#include "settings_record.h"

#include <cstdlib>

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace quendra {

namespace {

constexpr int kNumberRole = Qt::UserRole + 1;

CommentText FromDocument(const QTextDocument& document) {
    CommentText text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) {
            if (text.empty()) text.push_back({});
            text.back().text += '\n';
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            const QTextCharFormat format = fragment.charFormat();
            text.push_back({fragment.text().toStdString(), format.fontWeight() >= QFont::Bold,
                            format.fontItalic(), format.fontUnderline()});
        }
    }
    // Nothing but line ends is no text at all.
    bool blank = true;
    for (const CommentRun& run : text)
        if (run.text.find_first_not_of("\n \t") != std::string::npos) blank = false;
    if (blank) text.clear();
    return text;
}

void ToDocument(QTextEdit* editor, const CommentText& text) {
    editor->clear();
    QTextCursor cursor(editor->document());
    for (const CommentRun& run : text) {
        QTextCharFormat format;
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(run.italic);
        format.setFontUnderline(run.underline);
        const QStringList lines = QString::fromStdString(run.text).split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0) cursor.insertBlock();
            cursor.insertText(lines[i], format);
        }
    }
    editor->moveCursor(QTextCursor::Start);
    editor->document()->setModified(false);
}

} // namespace

CommentsDialog::CommentsDialog(GameContext& ctx, const ImagesModule& images, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmComments"));
    setWindowTitle(QStringLiteral(" Comments"));

    games_ = new QComboBox(this);
    games_->setObjectName(QStringLiteral("cboGames"));
    games_->setItemDelegate(new CommentMarkDelegate(
        QPixmap::fromImage(images.LoadPicture(QStringLiteral("COMMENT_YES"), devicePixelRatioF())),
        games_));
    const std::string current = GetSetting(ctx_.settings, field::kGameNumber);
    int currentIndex = 0;
    for (const browser::Entry& entry : browser::SortedCatalogue(ctx_)) {
        games_->addItem(QString::fromStdString(entry.name), entry.number);
        const int index = games_->count() - 1;
        games_->setItemData(index, entry.number, kNumberRole);
        games_->setItemData(index, HasComments(ctx_, entry.name), kHasCommentsRole);
        if (!current.empty() && entry.number == std::atoi(current.c_str())) currentIndex = index;
    }
    auto* label = new QLabel(QStringLiteral("&Comment for solitaire:"), this);
    label->setBuddy(games_);

    auto* tools = new QToolBar(this);
    bold_ = tools->addAction(QStringLiteral("Bold"));
    bold_->setShortcut(QKeySequence::Bold);
    italic_ = tools->addAction(QStringLiteral("Italic"));
    italic_->setShortcut(QKeySequence::Italic);
    underline_ = tools->addAction(QStringLiteral("Underline"));
    underline_->setShortcut(QKeySequence::Underline);
    for (QAction* action : {bold_, italic_, underline_}) {
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, action] { setStyle(action); });
    }
    tools->addSeparator();
    insertNumber_ = tools->addAction(QStringLiteral("Insert Game number"));
    insertDate_ = tools->addAction(QStringLiteral("Insert Date/Time"));
    tools->addSeparator();
    clear_ = tools->addAction(QStringLiteral("Clear"));

    editor_ = new QTextEdit(this);
    editor_->setObjectName(QStringLiteral("redComments"));
    editor_->setAcceptRichText(true);
    editor_->document()->setDefaultFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    editor_->setMinimumSize(420, 260);

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(false);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(games_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tools);
    layout->addWidget(editor_, 1);
    layout->addLayout(bottom);

    connect(insertNumber_, &QAction::triggered, this, [this] {
        insertLine(QStringLiteral("[ Game number = %1 ]")
                       .arg(QString::fromStdString(GetSetting(ctx_.settings, field::kDealNumber))));
    });
    connect(insertDate_, &QAction::triggered, this, [this] {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale;
        insertLine(QStringLiteral("[ %1 - %2 ]")
                       .arg(locale.toString(now.date(), QLocale::LongFormat),
                            locale.toString(now.time(), QLocale::ShortFormat)));
    });
    connect(clear_, &QAction::triggered, this, &CommentsDialog::clearComments);
    connect(editor_, &QTextEdit::currentCharFormatChanged, this,
            &CommentsDialog::followCursorStyle);

    games_->setCurrentIndex(currentIndex);
    load(currentIndex);
    // Typing goes to the note, not to the list of games.
    editor_->setFocus();
    connect(games_, &QComboBox::currentIndexChanged, this, &CommentsDialog::gameChosen);
}

void CommentsDialog::load(int index) {
    shown_ = index;
    CommentText text;
    unreadable_ = index >= 0 && !LoadComments(ctx_, games_->itemText(index).toStdString(), text);
    ToDocument(editor_, text);
    followCursorStyle();
}

void CommentsDialog::save() {
    if (shown_ < 0 || !editor_->document()->isModified()) return;
    const CommentText text = FromDocument(*editor_->document());
    // A file that could not be read is not removed by the empty editor that stood for it.
    if (unreadable_ && text.empty()) return;
    if (SaveComments(ctx_, games_->itemText(shown_).toStdString(), text)) {
        editor_->document()->setModified(false);
        unreadable_ = false;
    }
    updateMark(shown_);
}

void CommentsDialog::updateMark(int index) {
    games_->setItemData(index, HasComments(ctx_, games_->itemText(index).toStdString()),
                        kHasCommentsRole);
}

void CommentsDialog::gameChosen(int index) {
    save();
    load(index);
}

void CommentsDialog::done(int result) {
    save();
    QDialog::done(result);
}

void CommentsDialog::setStyle(QAction* action) {
    // The selection takes the style, or the typing position when nothing is selected.
    QTextCharFormat format;
    if (action == bold_) format.setFontWeight(action->isChecked() ? QFont::Bold : QFont::Normal);
    if (action == italic_) format.setFontItalic(action->isChecked());
    if (action == underline_) format.setFontUnderline(action->isChecked());
    editor_->mergeCurrentCharFormat(format);
    editor_->setFocus();
}

void CommentsDialog::followCursorStyle() {
    const QTextCharFormat format = editor_->currentCharFormat();
    bold_->setChecked(format.fontWeight() >= QFont::Bold);
    italic_->setChecked(format.fontItalic());
    underline_->setChecked(format.fontUnderline());
}

void CommentsDialog::insertLine(const QString& line) {
    QTextCursor cursor = editor_->textCursor();
    if (!cursor.atBlockStart()) cursor.insertBlock();
    cursor.insertText(line);
    cursor.insertBlock();
    editor_->setTextCursor(cursor);
    editor_->setFocus();
}

void CommentsDialog::clearComments() {
    const QString name = games_->currentText();
    if (QMessageBox::question(this, windowTitle(),
                              QStringLiteral("Delete all comments for the game: %1?").arg(name),
                              QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    editor_->clear();
    editor_->document()->setModified(true);
    // The player asked for it: even a file that could not be read goes.
    unreadable_ = false;
}

} // namespace quendra
