#include "cards.h"
#include "custom_rules.h"
#include "custom_rules_dialog.h"
#include "favourites.h"
#include "game_browser.h"
#include "game_catalog.h"
#include "game_params.h"
#include "main_menus.h"
#include "settings.h"
#include "ui_fixture.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

struct Table : test::HostedWindow {
    Table() {
        if (shown) shown = window.StartGameDeal(0, "1");
    }
    int Current() const { return std::atoi(GetSetting(ctx.settings, field::kGameNumber).c_str()); }
};

// The text of the message box, then its OK.
std::function<void(QWidget*)> Message(QString* text) {
    return [text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        *text = box->text();
        box->accept();
    };
}

std::function<void(QWidget*)> Name(const QString& name) {
    return [name](QWidget* modal) {
        auto* dialog = qobject_cast<CustomGameNameDialog*>(modal);
        QVERIFY(dialog);
        dialog->nameEdit()->setText(name);
        dialog->accept();
    };
}

} // namespace

class CustomRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void theEditorChecksItsNumbersAndTheName() {
        test::Program program;
        LoadGameList(program.ctx);
        GameParams klondike{};
        std::string error;
        QVERIFY(ReadGameDefinition(program.ctx, 0, klondike, error));
        const CustomRuleOffer offer = OfferedCustomRules(klondike);
        CustomRulesDialog dialog(program.ctx, QStringLiteral("Klondike"), offer,
                                 CurrentCustomRules(klondike, offer), nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Customize rules [Klondike]"));
        QVERIFY(!dialog.deleteButton()->isEnabled());
        QVERIFY(!dialog.okButton()->isEnabled());
        QVERIFY(dialog.redealFeedback()->isHidden()); // unlimited

        // Two redeals: three deals in all; back to the opening values, OK goes off again.
        dialog.redeals()->button(2)->click();
        dialog.redealCount()->setText(QStringLiteral("2"));
        QCOMPARE(dialog.redealFeedback()->text(), QStringLiteral("(3 deals in all)"));
        QVERIFY(dialog.okButton()->isEnabled());
        dialog.redeals()->button(1)->click();
        QCOMPARE(dialog.redealFeedback()->text(), QStringLiteral("(1 deal in all)"));
        dialog.redeals()->button(0)->click();
        dialog.redealCount()->clear();
        QVERIFY(!dialog.okButton()->isEnabled());

        dialog.tableauMethod()->setCurrentIndex(0);
        dialog.cardsPerClick()->setText(QStringLiteral("3x"));
        QString said;
        std::vector<test::Acts> acts{test::OnModals({Message(&said)})};
        dialog.pages()->setCurrentIndex(3);
        dialog.okButton()->click();
        QCOMPARE(said, QStringLiteral("Numbers only are required."));
        QCOMPARE(dialog.pages()->currentIndex(), 0);
        QVERIFY(dialog.result() != QDialog::Accepted);

        // The name: too short, one of the catalogue, then a new one.
        {
            CustomGameNameDialog naming(program.ctx, dialog.windowTitle(),
                                        QStringLiteral("Klondike"));
            QString tooShort, exists;
            naming.nameEdit()->setText(QStringLiteral(" ab "));
            acts.push_back(test::OnModals({Message(&tooShort)}));
            naming.accept();
            naming.nameEdit()->setText(QStringLiteral("freecell"));
            acts.push_back(test::OnModals({Message(&exists)}));
            naming.accept();
            QCOMPARE(tooShort, QString::fromLatin1(kGameNameTooShortMessage));
            QCOMPARE(exists, QString::fromLatin1(kGameNameExistsMessage));
            QVERIFY(naming.result() != QDialog::Accepted);
        }
        dialog.cardsPerClick()->setText(QStringLiteral("3"));
        acts.push_back(test::OnModals({Name(QStringLiteral("Klondike in suit"))}));
        dialog.okButton()->click();
        test::VerifyAllOpened(acts);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenName(), std::string("Klondike in suit"));
        const CustomRuleValues values = dialog.values();
        QCOMPARE(values.cardsPerClick, 3);
        QCOMPARE(values.redealsCode, -1);
        QCOMPARE(values.tableauMethod, 0);
        QCOMPARE(values.tableauDirection, 1);
    }

    void aVariantIsPlayedAtOnceAndDeletedFromTheEditor() {
        Table w;
        QVERIFY(w.shown);
        QVERIFY(w.window.actions().customizeRules->isEnabled());
        QString offered;
        std::vector<test::Acts> acts{test::OnModals(
            {[](QWidget* modal) {
                 auto* dialog = qobject_cast<CustomRulesDialog*>(modal);
                 QVERIFY(dialog);
                 dialog->tableauMethod()->setCurrentIndex(2); // regardless of suit
                 dialog->okButton()->click();
             },
             Name(QStringLiteral("Easy Klondike")),
             [&offered](QWidget* modal) {
                 auto* box = qobject_cast<QMessageBox*>(modal);
                 QVERIFY(box);
                 offered = box->text();
                 test::Press(modal, QMessageBox::Yes);
             }})};
        w.window.actions().customizeRules->trigger();
        test::VerifyAllOpened(acts);
        QVERIFY(offered.contains(QStringLiteral("Easy Klondike")));
        QCOMPARE(w.Current(), kFirstCustomGame);
        QCOMPARE(w.ctx.Param(param::kTableauMethod), 2);
        QVERIFY(w.window.windowTitle().contains(QStringLiteral("[Easy Klondike]")));

        // The editor on the variant deletes it; the browser opens for the next game.
        QVERIFY(WriteFavourites(w.ctx, {"Klondike", "Easy Klondike"}));
        QString question;
        acts.push_back(test::OnModals(
            {[](QWidget* modal) {
                 auto* dialog = qobject_cast<CustomRulesDialog*>(modal);
                 QVERIFY(dialog);
                 QVERIFY(dialog->deleteButton()->isEnabled());
                 dialog->deleteButton()->click();
             },
             [&question](QWidget* modal) {
                 auto* box = qobject_cast<QMessageBox*>(modal);
                 QVERIFY(box);
                 question = box->text();
                 test::Press(modal, QMessageBox::Yes);
             },
             [](QWidget* modal) {
                 QVERIFY(qobject_cast<GameBrowser*>(modal));
                 qobject_cast<QDialog*>(modal)->reject();
             }}));
        w.window.actions().customizeRules->trigger();
        test::VerifyAllOpened(acts);
        QVERIFY(question.startsWith(QStringLiteral("Are you sure you want to delete this customized game")));
        QCOMPARE(w.Current(), -1);
        QVERIFY(GameName(w.ctx, kFirstCustomGame).empty());
        QCOMPARE(FavouriteNames(w.ctx), std::vector<std::string>{"Klondike"});
        QVERIFY(!w.window.actions().newGame->isEnabled());
        QVERIFY(!w.window.actions().customizeRules->isEnabled());
    }

    void aGameWithNothingToChangeSaysSo() {
        test::HostedWindow w;
        QVERIFY(w.shown);
        const int blackHole = GameNumber(w.ctx, "Black Hole");
        QVERIFY(blackHole >= 0);
        SetSetting(w.ctx.settings, field::kGameNumber, fnFormatNumber(blackHole, 4));
        QString said;
        std::vector<test::Acts> acts{test::OnModals({Message(&said)})};
        w.window.CustomiseRules();
        test::VerifyAllOpened(acts);
        QCOMPARE(said, QStringLiteral("The game Black Hole can't be customized."));
        QVERIFY(!QFile::exists(QString::fromStdString(CustomGamesPath(w.ctx))));
    }
};

} // namespace quendra

QTEST_MAIN(quendra::CustomRulesTest)
#include "custom_rules_test.moc"
