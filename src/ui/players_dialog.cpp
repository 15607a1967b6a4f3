#include "players_dialog.h"

#include "players.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quendra {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

PlayerNameDialog::PlayerNameDialog(const GameContext& ctx, const std::string& ownName,
                                   QWidget* parent)
    : QDialog(parent), ctx_(ctx), ownName_(ownName) {
    setObjectName(QStringLiteral("playerNameDialog"));
    setWindowTitle(ownName_.empty() ? QStringLiteral("Add a player")
                                    : QStringLiteral("Edit a player"));
    edit_ = new QLineEdit(Q(ownName_), this);
    edit_->setMaxLength(kMaxPlayerNameLength);
    edit_->selectAll();
    auto* label = new QLabel(QStringLiteral("&Player name: "), this);
    label->setBuddy(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PlayerNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(edit_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

std::string PlayerNameDialog::name() const {
    return edit_->text().trimmed().toStdString();
}

void PlayerNameDialog::accept() {
    // A name that cannot be used is said, and the dialog asks again.
    if (const auto problem = PlayerNameProblem(ctx_, name(), ownName_)) {
        ctx_.host.ShowInformation(*problem);
        edit_->setFocus();
        edit_->selectAll();
        return;
    }
    QDialog::accept();
}

PlayersDialog::PlayersDialog(GameContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("playersDialog"));
    setWindowTitle(QStringLiteral("Players"));
    list_ = new QListWidget(this);
    auto* label = new QLabel(QStringLiteral("&Select a player:"), this);
    label->setBuddy(list_);
    select_ = new QPushButton(QStringLiteral("Select"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    new_ = new QPushButton(QStringLiteral(" &New"), this);
    edit_ = new QPushButton(QStringLiteral("&Edit"), this);
    delete_ = new QPushButton(QStringLiteral("&Delete"), this);
    select_->setDefault(true);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {select_, close, new_, edit_, delete_}) buttons->addWidget(button);
    buttons->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(label);
    left->addWidget(list_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(select_, &QPushButton::clicked, this, &PlayersDialog::selectPlayer);
    connect(list_, &QListWidget::itemDoubleClicked, this, &PlayersDialog::selectPlayer);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(new_, &QPushButton::clicked, this, &PlayersDialog::addPlayer);
    connect(edit_, &QPushButton::clicked, this, &PlayersDialog::editPlayer);
    connect(delete_, &QPushButton::clicked, this, &PlayersDialog::deletePlayer);
    fill(CurrentPlayer(ctx_));
}

void PlayersDialog::fill(const std::string& selected) {
    list_->clear();
    for (const std::string& player : StoredPlayers(ctx_)) list_->addItem(Q(player));
    const auto found = list_->findItems(Q(selected), Qt::MatchExactly);
    list_->setCurrentRow(found.isEmpty() ? (list_->count() > 0 ? 0 : -1) : list_->row(found[0]));
    new_->setEnabled(list_->count() < kMaxPlayers);
}

std::string PlayersDialog::selectedName() const {
    const QListWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? item->text().toStdString() : std::string();
}

void PlayersDialog::selectPlayer() {
    const std::string name = selectedName();
    if (name.empty()) {
        ctx_.host.ShowInformation(kSelectAPlayerMessage);
        return;
    }
    const bool another = name != CurrentPlayer(ctx_);
    const PlayerResult result = SelectPlayer(ctx_, name);
    if (result.status == PlayerResult::Status::Cancelled) return;
    if (!result.Ok()) {
        fill(CurrentPlayer(ctx_));
        return;
    }
    changed_ = another;
    accept();
}

void PlayersDialog::addPlayer() {
    PlayerNameDialog ask(ctx_, {}, this);
    if (ask.exec() != QDialog::Accepted) return;
    if (AddPlayer(ctx_, ask.name()).Ok()) fill(ask.name());
}

void PlayersDialog::editPlayer() {
    const std::string name = selectedName();
    if (name.empty()) {
        ctx_.host.ShowInformation(kSelectAPlayerMessage);
        return;
    }
    PlayerNameDialog ask(ctx_, name, this);
    if (ask.exec() != QDialog::Accepted) return;
    fill(RenamePlayer(ctx_, name, ask.name()).Ok() ? ask.name() : name);
}

void PlayersDialog::deletePlayer() {
    const std::string name = selectedName();
    if (name.empty()) {
        ctx_.host.ShowInformation(kSelectAPlayerMessage);
        return;
    }
    if (!DeletePlayer(ctx_, name).Ok()) return;
    const std::vector<std::string> players = StoredPlayers(ctx_);
    fill(players.empty() ? std::string() : players.front());
}

} // namespace quendra
