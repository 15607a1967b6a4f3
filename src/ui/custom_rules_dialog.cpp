#include "custom_rules_dialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quendra {

namespace {

const QString kProduct = QStringLiteral("Quendra 2000");
constexpr int kStockPage = 0;
constexpr int kRedealPage = 1;
constexpr int kUnlimited = 0;
constexpr int kNoRedeals = 1;
constexpr int kSpecified = 2;
constexpr int kMostCardsPerClick = 104;
constexpr int kMostRedeals = 98; // the redeals code (redeals + 1) has two digits

const char* const kMethods[] = {"In suit", "In alternating colors", "Regardless of suit",
                                "In color", "On any suit but its own"};

bool DigitsOnly(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// Checks button `id` of the group, or none when `id` is not one of its buttons.
void Choose(QButtonGroup* group, int id) {
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(group->id(button) == id);
    group->setExclusive(true);
}

void EnableGroup(QButtonGroup* group, bool enabled) {
    for (QAbstractButton* button : group->buttons())
        button->setEnabled(enabled);
}

QComboBox* MethodBox(int index, bool enabled, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const char* method : kMethods)
        box->addItem(QString::fromLatin1(method));
    box->setCurrentIndex(enabled ? index : -1);
    box->setEnabled(enabled);
    return box;
}

QButtonGroup* DirectionGroup(QBoxLayout* layout, int index, bool enabled, QWidget* parent) {
    auto* frame = new QGroupBox(QStringLiteral("Direction "), parent);
    auto* row = new QHBoxLayout(frame);
    auto* group = new QButtonGroup(frame);
    const QString names[] = {QStringLiteral("&Up"), QStringLiteral("&Down"),
                             QStringLiteral("U&p or down")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(names[i], frame);
        group->addButton(button, i);
        row->addWidget(button);
    }
    Choose(group, enabled ? index : -1);
    EnableGroup(group, enabled);
    layout->addWidget(frame);
    return group;
}

// "Method of building:" with its box, and the direction group under it.
void AddBuilding(QBoxLayout* layout, int method, bool methodOffered, int direction,
                 bool directionOffered, QWidget* page, QComboBox*& box, QButtonGroup*& group) {
    layout->addWidget(new QLabel(QStringLiteral("Method of building:"), page));
    box = MethodBox(method, methodOffered, page);
    layout->addWidget(box);
    group = DirectionGroup(layout, direction, directionOffered, page);
    layout->addStretch();
}

} // namespace

CustomRulesDialog::CustomRulesDialog(GameContext& ctx, const QString& gameName,
                                     const CustomRuleOffer& offer, const CustomRuleValues& rules,
                                     std::function<bool()> deleteGame, QWidget* parent)
    : QDialog(parent), ctx_(ctx), gameName_(gameName), deleteGame_(std::move(deleteGame)) {
    setWindowTitle(QStringLiteral("Customize rules [") + gameName + QLatin1Char(']'));
    pages_ = new QTabWidget(this);
    pages_->addTab(stockPage(offer, rules), QStringLiteral("Stock"));
    pages_->addTab(redealPage(offer, rules), QStringLiteral("Redeal"));
    pages_->addTab(tableauPage(offer, rules), QStringLiteral("Tableau"));
    pages_->addTab(foundationPage(offer, rules), QStringLiteral("Foundations"));

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    delete_ = buttons->addButton(QStringLiteral("De&lete"), QDialogButtonBox::DestructiveRole);
    delete_->setEnabled(static_cast<bool>(deleteGame_));
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CustomRulesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CustomRulesDialog::reject);
    connect(delete_, &QPushButton::clicked, this, [this] {
        if (deleteGame_ && deleteGame_()) {
            deleted_ = true;
            reject();
        }
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);

    for (QButtonGroup* group : {redeals_, empty_, tableauDirection_, foundationDirection_})
        connect(group, &QButtonGroup::idToggled, this, &CustomRulesDialog::changed);
    for (QLineEdit* box : {perClick_, redealCount_})
        connect(box, &QLineEdit::textChanged, this, &CustomRulesDialog::changed);
    for (QComboBox* box : {tableauMethod_, foundationMethod_})
        connect(box, &QComboBox::currentIndexChanged, this, &CustomRulesDialog::changed);
    opened_ = state();
    changed();
    // The first page that offers something is shown, its first control focused.
    for (int page = 0; page < pages_->count(); ++page) {
        const QList<QWidget*> controls = pages_->widget(page)->findChildren<QWidget*>();
        const auto first = std::find_if(controls.begin(), controls.end(), [](QWidget* w) {
            return w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QLabel*>(w);
        });
        if (first == controls.end()) continue;
        pages_->setCurrentIndex(page);
        (*first)->setFocus();
        break;
    }
}

QWidget* CustomRulesDialog::stockPage(const CustomRuleOffer& offer,
                                      const CustomRuleValues& rules) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(QStringLiteral("&Cards dealt by clicking on the stock:"), page);
    perClick_ = new QLineEdit(page);
    perClick_->setMaxLength(3);
    label->setBuddy(perClick_);
    if (offer.cardsPerClick) perClick_->setText(QString::number(rules.cardsPerClick));
    perClick_->setEnabled(offer.cardsPerClick);
    label->setEnabled(offer.cardsPerClick);
    layout->addWidget(label);
    layout->addWidget(perClick_);
    layout->addStretch();
    return page;
}

QWidget* CustomRulesDialog::redealPage(const CustomRuleOffer& offer,
                                       const CustomRuleValues& rules) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* frame = new QGroupBox(QStringLiteral("Redeals of the stock: "), page);
    auto* inner = new QVBoxLayout(frame);
    redeals_ = new QButtonGroup(frame);
    auto* unlimited = new QRadioButton(QStringLiteral("&Unlimited"), frame);
    auto* none = new QRadioButton(QStringLiteral("No redeals (&only 1 deal)"), frame);
    auto* specified = new QRadioButton(QStringLiteral("Specified nu&mber:"), frame);
    redeals_->addButton(unlimited, kUnlimited);
    redeals_->addButton(none, kNoRedeals);
    redeals_->addButton(specified, kSpecified);
    redealCount_ = new QLineEdit(frame);
    redealCount_->setMaxLength(2);
    feedback_ = new QLabel(frame);
    auto* row = new QHBoxLayout;
    row->addWidget(specified);
    row->addWidget(redealCount_);
    row->addWidget(feedback_);
    row->addStretch();
    inner->addWidget(unlimited);
    inner->addWidget(none);
    inner->addLayout(row);
    layout->addWidget(frame);
    layout->addStretch();

    int choice = -1;
    if (offer.redeals) {
        choice = rules.redealsCode < 0 ? kUnlimited : rules.redealsCode == 0 ? kNoRedeals : kSpecified;
        if (choice == kSpecified) redealCount_->setText(QString::number(rules.redealsCode - 1));
    }
    Choose(redeals_, choice);
    EnableGroup(redeals_, offer.redeals);
    redealCount_->setEnabled(offer.redeals);
    frame->setEnabled(offer.redeals);
    return page;
}

QWidget* CustomRulesDialog::tableauPage(const CustomRuleOffer& offer,
                                        const CustomRuleValues& rules) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* frame =
        new QGroupBox(QStringLiteral("Spaces in empty tableau piles can be filled with: "), page);
    auto* inner = new QVBoxLayout(frame);
    empty_ = new QButtonGroup(frame);
    const QString names[] = {QStringLiteral("&King only (or pile with a King at the top);"),
                             QStringLiteral("&Any card (or legal sequence)"),
                             QStringLiteral("&None (spaces cannot be filled)")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(names[i], frame);
        empty_->addButton(button, i + 1);
        inner->addWidget(button);
    }
    Choose(empty_, offer.emptyTableau ? rules.emptyChoice : -1);
    EnableGroup(empty_, offer.emptyTableau);
    layout->addWidget(frame);

    AddBuilding(layout, rules.tableauMethod, offer.tableauMethod, rules.tableauDirection,
                offer.tableauDirection, page, tableauMethod_, tableauDirection_);
    return page;
}

QWidget* CustomRulesDialog::foundationPage(const CustomRuleOffer& offer,
                                           const CustomRuleValues& rules) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    AddBuilding(layout, rules.foundationMethod, offer.foundationMethod,
                rules.foundationDirection, offer.foundationDirection, page, foundationMethod_,
                foundationDirection_);
    return page;
}

QString CustomRulesDialog::state() const {
    return perClick_->text() + QLatin1Char('|') + QString::number(redeals_->checkedId()) +
           QLatin1Char('|') + redealCount_->text() + QLatin1Char('|') +
           QString::number(empty_->checkedId()) + QLatin1Char('|') +
           QString::number(tableauMethod_->currentIndex()) + QLatin1Char('|') +
           QString::number(tableauDirection_->checkedId()) + QLatin1Char('|') +
           QString::number(foundationMethod_->currentIndex()) + QLatin1Char('|') +
           QString::number(foundationDirection_->checkedId());
}

void CustomRulesDialog::changed() {
    ok_->setEnabled(state() != opened_);
    const int redeals = redeals_->checkedId();
    bool numeric = DigitsOnly(redealCount_->text());
    if (redeals == kNoRedeals) {
        feedback_->setText(QStringLiteral("(1 deal in all)"));
    } else if (redeals == kSpecified && numeric) {
        const int deals = redealCount_->text().toInt() + 1;
        feedback_->setText(deals == 1 ? QStringLiteral("(1 deal in all)")
                                      : QStringLiteral("(%1 deals in all)").arg(deals));
    } else {
        numeric = false;
    }
    feedback_->setVisible(redeals == kNoRedeals || numeric);
}

CustomRuleValues CustomRulesDialog::values() const {
    CustomRuleValues values;
    values.cardsPerClick = perClick_->isEnabled() ? perClick_->text().toInt() : 1;
    switch (redeals_->checkedId()) {
    case kUnlimited:
        values.redealsCode = -1;
        break;
    case kSpecified:
        values.redealsCode = redealCount_->text().toInt() + 1;
        break;
    default:
        values.redealsCode = 0;
        break;
    }
    values.emptyChoice = std::max(0, empty_->checkedId());
    values.tableauMethod = tableauMethod_->isEnabled() ? tableauMethod_->currentIndex() : -1;
    values.tableauDirection = tableauDirection_->checkedId();
    values.foundationMethod = foundationMethod_->isEnabled() ? foundationMethod_->currentIndex() : -1;
    values.foundationDirection = foundationDirection_->checkedId();
    return values;
}

bool CustomRulesDialog::numberChecked(QLineEdit* box, int page, int low, int high) {
    QString message;
    if (!DigitsOnly(box->text()))
        message = QStringLiteral("Numbers only are required.");
    else if (box->text().toInt() < low || box->text().toInt() > high)
        message = QStringLiteral("Please enter a number from %1 to %2.").arg(low).arg(high);
    if (message.isEmpty()) return true;
    QMessageBox::information(this, kProduct, message);
    pages_->setCurrentIndex(page);
    activateWindow();
    box->setFocus();
    box->selectAll();
    return false;
}

void CustomRulesDialog::accept() {
    if (state() == opened_) return;
    if (perClick_->isEnabled() && !numberChecked(perClick_, kStockPage, 1, kMostCardsPerClick))
        return;
    if (redealCount_->isEnabled() && redeals_->checkedId() == kSpecified &&
        !numberChecked(redealCount_, kRedealPage, 0, kMostRedeals))
        return;
    CustomGameNameDialog naming(ctx_, windowTitle(), gameName_, this);
    if (naming.exec() != QDialog::Accepted) return;
    name_ = naming.name();
    QDialog::accept();
}

CustomGameNameDialog::CustomGameNameDialog(const GameContext& ctx, const QString& title,
                                           const QString& name, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setWindowTitle(title);
    auto* label = new QLabel(QStringLiteral("E&nter a name for the new game:"), this);
    edit_ = new QLineEdit(name, this);
    edit_->setMaxLength(50);
    edit_->selectAll();
    label->setBuddy(edit_);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CustomGameNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CustomGameNameDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(
        new QLabel(QStringLiteral("This game will be added to the folder 'Customized games'."),
                   this));
    layout->addWidget(buttons);
}

std::string CustomGameNameDialog::name() const {
    return edit_->text().trimmed().toStdString();
}

void CustomGameNameDialog::accept() {
    const std::string problem = CustomGameNameProblem(ctx_, name());
    if (!problem.empty()) {
        QMessageBox::information(this, kProduct, QString::fromStdString(problem));
        activateWindow();
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace quendra
