#include "keeping_dialogs.h"

#include "held_games.h"
#include "saved_game.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace quendra {

namespace {

const QString kProduct = QStringLiteral("Quendra 2000");

// The dialogs are the program's own, so that they look and behave the same everywhere (and
// under test); replacing a file is asked by the program itself.
QFileDialog* GameFileDialog(QWidget* parent, const QString& title, const QString& folder,
                            QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent, title, folder);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                         : QFileDialog::ExistingFile);
    // "Game|*.gam": the name and the pattern; either case of the extension is a saved game.
    dialog->setNameFilter(QStringLiteral("Game (*.gam *.GAM)"));
    dialog->setDefaultSuffix(QStringLiteral("gam"));
    dialog->setObjectName(mode == QFileDialog::AcceptSave ? QStringLiteral("saveDialog")
                                                          : QStringLiteral("openDialog"));
    return dialog;
}

QString ChosenFile(QFileDialog& dialog) {
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& folder) {
    QString start = folder;
    for (;;) {
        std::unique_ptr<QFileDialog> dialog(
            GameFileDialog(parent, QString::fromUtf8(kSaveDialogTitle), start, QFileDialog::AcceptSave));
        if (dialog->exec() != QDialog::Accepted) return std::nullopt;
        const QString file = ChosenFile(*dialog);
        if (file.isEmpty()) return std::nullopt;
        if (!QFileInfo::exists(file)) return file;
        QString question = QString::fromStdString(ReplaceFileQuestion(file.toStdString()));
        question.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        const auto answer =
            QMessageBox::warning(parent, kProduct, question,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::No);
        if (answer == QMessageBox::Yes) return file;
        if (answer != QMessageBox::No) return std::nullopt;
        start = QFileInfo(file).absolutePath();
    }
}

std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder) {
    std::unique_ptr<QFileDialog> dialog(
        GameFileDialog(parent, QString::fromUtf8(kOpenDialogTitle), folder, QFileDialog::AcceptOpen));
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    const QString file = ChosenFile(*dialog);
    if (file.isEmpty()) return std::nullopt;
    return file;
}

HoldDialog::HoldDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kProduct);
    setObjectName(QStringLiteral("holdDialog"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(kHoldDialogText1), this));
    layout->addWidget(new QLabel(QString::fromUtf8(kHoldDialogText2), this));
    auto* note = new QGroupBox(QStringLiteral("Note"), this);
    auto* noteLayout = new QVBoxLayout(note);
    auto* noteText = new QLabel(QString::fromUtf8(kHoldDialogNote), note);
    noteText->setWordWrap(true);
    noteLayout->addWidget(noteText);
    layout->addWidget(note);

    auto* buttons = new QHBoxLayout;
    hold_ = new QPushButton(QString::fromUtf8(kHoldDialogHold), this);
    loss_ = new QPushButton(QString::fromUtf8(kHoldDialogPostLoss), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* help = new QPushButton(QStringLiteral("&?"), this);
    hold_->setDefault(true);
    for (QPushButton* button : {hold_, loss_, cancel, help})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(hold_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Hold;
        accept();
    });
    connect(loss_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::ExitWithLoss;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        QMessageBox::information(
            this, kProduct,
            QStringLiteral("A held game is kept in the program's data folder and comes back on "
                           "the table the next time the program starts, with its clock and "
                           "its moves. It counts neither as won nor as lost until it ends."));
    });
}

FavouritesDialog::FavouritesDialog(const std::vector<std::string>& allGames,
                                   const std::vector<std::string>& favourites, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Favorite games"));
    setObjectName(QStringLiteral("favouritesDialog"));
    games_ = new QListWidget(this);
    chosen_ = new QListWidget(this);
    for (QListWidget* list : {games_, chosen_})
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const std::string& name : allGames)
        games_->addItem(QString::fromStdString(name));
    for (const std::string& name : favourites)
        chosen_->addItem(QString::fromStdString(name));
    auto* gamesLabel = new QLabel(QStringLiteral("&Games list:"), this);
    gamesLabel->setBuddy(games_);
    auto* chosenLabel = new QLabel(QStringLiteral("&Favorite games:"), this);
    chosenLabel->setBuddy(chosen_);
    add_ = new QPushButton(QStringLiteral(">"), this);
    remove_ = new QPushButton(QStringLiteral("<"), this);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(add_);
    middle->addWidget(remove_);
    middle->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(gamesLabel, 0, 0);
    grid->addWidget(chosenLabel, 0, 2);
    grid->addWidget(games_, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(chosen_, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    connect(add_, &QPushButton::clicked, this, &FavouritesDialog::addSelected);
    connect(remove_, &QPushButton::clicked, this, &FavouritesDialog::removeSelected);
    connect(games_, &QListWidget::itemDoubleClicked, this, &FavouritesDialog::addSelected);
    connect(chosen_, &QListWidget::itemDoubleClicked, this, &FavouritesDialog::removeSelected);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(560, 420);
}

void FavouritesDialog::addSelected() {
    for (const QListWidgetItem* item : games_->selectedItems())
        if (chosen_->findItems(item->text(), Qt::MatchExactly).isEmpty())
            chosen_->addItem(item->text());
}

void FavouritesDialog::removeSelected() {
    for (QListWidgetItem* item : chosen_->selectedItems())
        delete chosen_->takeItem(chosen_->row(item));
}

std::vector<std::string> FavouritesDialog::favourites() const {
    std::vector<std::string> names;
    for (int i = 0; i < chosen_->count(); ++i)
        names.push_back(chosen_->item(i)->text().toStdString());
    return names;
}

} // namespace quendra
