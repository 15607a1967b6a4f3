#include "browser_catalogue.h"
#include "data_files.h"
#include "game_browser.h"
#include "game_catalog.h"
#include "help_windows.h"
#include "images_module.h"
#include "settings.h"
#include "sound_player.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

// A program folder with its settings and catalogue read, and the images module open.
struct Browsing : test::Program {
    ImagesModule images;
    Browsing() {
        EnsureDataDirectory(ctx.ProgramDir());
        LoadSettings(ctx);
        CreateDefaultPlayers(ctx);
        LoadGameList(ctx);
        images.Open(host, QUENDRA_SOL_RGF);
    }
};

QStringList ChildTexts(QTreeWidgetItem* folder) {
    QStringList texts;
    for (int i = 0; i < folder->childCount(); ++i)
        texts << folder->child(i)->text(0);
    return texts;
}

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT
  private slots:
    void treeStartsWithTheFixedFoldersEachHoldingAPlaceholder() {
        Browsing b;
        GameBrowser browser(b.ctx, b.images);
        QTreeWidget* tree = browser.tree();
        QStringList top;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            top << tree->topLevelItem(i)->text(0);
        QCOMPARE(top,
                 QStringList({"Favorite games", "Folders list", "All games (alphabetically)"}));
        QCOMPARE(ChildTexts(browser.findItem(browser::kFoldersList)),
                 QStringList({"Selected games", "Customized games", "Game Type", "Game Groups",
                              "Others Groups", "New games"}));
        QCOMPARE(browser.findItem(browser::kGameType)->childCount(), 22);
        // Only a folder with games in it can be opened.
        for (int i = 0; i < browser.findItem(browser::kGameType)->childCount(); ++i) {
            QTreeWidgetItem* type = browser.findItem(browser::kGameType)->child(i);
            const bool games = !browser::FolderEntries(b.ctx, browser::SortedCatalogue(b.ctx),
                                                       type->data(0, Qt::UserRole).toInt())
                                    .empty();
            QCOMPARE(type->childCount() > 0, games);
        }
        QCOMPARE(
            ChildTexts(browser.findItem(-2050)),
            QStringList({"Chance only", "Mostly chance", "Moderate", "Mostly skill", "Difficult"}));
    }

    void aFolderIsFilledOnceInNameOrder() {
        Browsing b;
        GameBrowser browser(b.ctx, b.images);
        QTreeWidgetItem* all = browser.findItem(browser::kAllGames);
        all->setExpanded(true);
        const int count = all->childCount();
        QCOMPARE(count, static_cast<int>(b.ctx.mainGame.GameList.size()));
        all->setExpanded(false);
        all->setExpanded(true);
        QCOMPARE(all->childCount(), count);
        QStringList names = ChildTexts(all);
        QStringList sorted = names;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(names, sorted);

        QTreeWidgetItem* klondikeType = browser.findItem(-202030);
        klondikeType->setExpanded(true);
        QVERIFY(ChildTexts(klondikeType).contains("Klondike"));
        QVERIFY(!ChildTexts(klondikeType).contains("FreeCell"));
    }

    void groupFoldersListTheGamesOfTheirParameterValue() {
        Browsing b;
        const std::vector<browser::Entry> sorted = browser::SortedCatalogue(b.ctx);
        // Every game falls in exactly one difficulty folder, the one of its parameter 483.
        std::size_t listed = 0;
        for (int code : {-204010, -204020, -204030}) {
            const auto entries = browser::FolderEntries(b.ctx, sorted, code);
            const int wanted = code == -204010 ? 0 : code == -204020 ? 1 : 2;
            for (const browser::Entry& entry : entries) {
                const int rows[] = {483};
                QCOMPARE(ReadGameParams(b.ctx, entry.number, rows)[0], wanted);
            }
            listed += entries.size();
        }
        QCOMPARE(listed, sorted.size());
    }

    void favouritesSkipLostNamesAndShowThePlaceholderWhenEmpty() {
        Browsing b;
        const auto sorted = browser::SortedCatalogue(b.ctx);
        auto favourites = browser::FolderEntries(b.ctx, sorted, browser::kFavourites);
        QCOMPARE(favourites.size(), std::size_t(1));
        QCOMPARE(favourites[0].number, browser::kEmptyFavourites);
        QCOMPARE(favourites[0].name, std::string("(Double click to customize)"));

        WriteSettingString(b.ctx, "Favourite Games", "Game000", "No Such Game");
        WriteSettingString(b.ctx, "Favourite Games", "Game001", "Klondike");
        favourites = browser::FolderEntries(b.ctx, sorted, browser::kFavourites);
        QCOMPARE(favourites.size(), std::size_t(1));
        QCOMPARE(favourites[0].name, std::string("Klondike"));

        const auto custom = browser::FolderEntries(b.ctx, sorted, browser::kCustomGames);
        QCOMPARE(custom.size(), std::size_t(1));
        QCOMPARE(custom[0].name, std::string("(How to customize a game)"));
    }

    void selectingAGameDescribesItAndShowsItsPreview() {
        Browsing b;
        GameBrowser browser(b.ctx, b.images);
        QTreeWidgetItem* all = browser.findItem(browser::kAllGames);
        all->setExpanded(true);
        QTreeWidgetItem* klondike = browser.findItem(0);
        QVERIFY(klondike);
        browser.tree()->setCurrentItem(klondike);
        QCOMPARE(browser.descriptionText("name"), QString("Klondike"));
        QCOMPARE(browser.descriptionText("decks"), QString("1"));
        QCOMPARE(browser.descriptionText("objective"),
                 QString("To move all the cards to the foundations"));
        const int rows[] = {15, 485, 486, 487};
        const auto values = ReadGameParams(b.ctx, 0, rows);
        QCOMPARE(browser.descriptionText("redeals"),
                 QString::fromStdString(browser::RedealsText(values[0])));
        QVERIFY(!browser.descriptionText("difficulty").isEmpty());
        if (values[3] != 0)
            QVERIFY(browser.descriptionText("chance").endsWith(
                QString(" (about %1 in %2)").arg(values[2]).arg(values[3])));

        // With the preview on, the picture of the game is drawn; a folder shows none.
        auto previewImage = [&browser] {
            QImage best;
            for (QLabel* label : browser.findChildren<QLabel*>())
                if (label->size() == QSize(176, 124)) best = label->pixmap().toImage();
            return best;
        };
        const QImage shown = previewImage();
        QVERIFY(!shown.isNull());
        auto greenPixels = [](const QImage& image) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y) == QColor(0, 128, 0)) ++count;
            return count;
        };
        QVERIFY(greenPixels(shown) > 500); // the preview's table
        browser.tree()->setCurrentItem(all);
        QCOMPARE(greenPixels(previewImage()), 0);
    }

    void redealsAndChanceTexts() {
        QCOMPARE(browser::RedealsText(-1), std::string("Unlimited"));
        QCOMPARE(browser::RedealsText(0), std::string("0"));
        QCOMPARE(browser::RedealsText(3), std::string("2"));
        QCOMPARE(browser::TypeIconName(5), std::string("TREE5_KLONDIKE_TYPE"));
        QCOMPARE(browser::TypeIconName(23, "_WIN"), std::string("TREE5_STRIPPEDDECK_TYPE_WIN"));
        QCOMPARE(browser::TypeIconName(800), std::string("TREE5_CUSTOMIZED_GAMES"));
    }

    void okOnAFolderAsksForAGameAndOnAGameWritesThePreferences() {
        Browsing b;
        GameBrowser browser(b.ctx, b.images);
        browser.tree()->setCurrentItem(browser.findItem(browser::kAllGames));
        QPushButton* ok = nullptr;
        for (QPushButton* button : browser.findChildren<QPushButton*>())
            if (button->text() == "OK") ok = button;
        QVERIFY(ok && !ok->isEnabled());
        QTreeWidgetItem* folder = browser.findItem(-202025); // FreeCell type
        folder->setExpanded(true);
        browser.tree()->setCurrentItem(browser.findItem(1));
        browser.findChild<QCheckBox*>()->setChecked(false);
        browser.accept();
        QCOMPARE(browser.result(), int(QDialog::Accepted));
        QCOMPARE(browser.chosenGame(), 1);
        QCOMPARE(browser.chosenName(), std::string("FreeCell"));
        QCOMPARE(browser.chosenPlayer(), std::string("Player 1"));
        QCOMPARE(ReadSettingInt(b.ctx, "Preference", "Game", -1), 1);
        QCOMPARE(ReadSettingInt(b.ctx, "Preference", "Game_TreeNum", 0), -202025);
        QCOMPARE(ReadSettingString(b.ctx, "Preference", "Open_Preview_Game", ""), std::string("N"));
    }

    void rememberedFolderOpensWithTheCurrentGameSelected() {
        Browsing b;
        SetGameTreeNum(b.ctx, -202030); // Klondike type
        SetSetting(b.ctx.settings, field::kGameNumber, "0");
        GameBrowser browser(b.ctx, b.images);
        QVERIFY(browser.tree()->currentItem());
        QCOMPARE(browser.tree()->currentItem()->text(0), QString("Klondike"));
        QVERIFY(browser.findItem(-202030)->isExpanded());
    }

    void rulesComeFromTheRulesFileOfTheGame() {
        Browsing b;
        const std::string rules = ReadRulesText(RulesFilePath(b.ctx), 0);
        QVERIFY(!rules.empty());
        QVERIFY(rules.find("[0001]") == std::string::npos);
        QVERIFY(ReadRulesText(RulesFilePath(b.ctx), 7999).empty());
    }

    void soundsObeyTheirSwitchesAndTheMasterSwitch() {
        Browsing b;
        SoundPlayer player(b.images);
        // The audio module is built beside the programs; without a device it stays silent.
        QVERIFY(player.HasAudioModule());
        SetSetting(b.ctx.settings, field::kSoundsEnabled, "Y");
        SetSetting(b.ctx.settings, field::kSoundsUndo, "Y");
        PlayEventSound(b.ctx, player, "Undo", field::kSoundsUndo);
        QCOMPARE(player.Current(), QString("Undo"));
        // A name the module lacks stops what plays.
        player.Play("No_such_sound", SoundMode::Async);
        QVERIFY(player.Current().isEmpty());

        SetSetting(b.ctx.settings, field::kSoundsUndo, "N");
        PlayEventSound(b.ctx, player, "Undo", field::kSoundsUndo);
        QVERIFY(player.Current().isEmpty());

        SetSetting(b.ctx.settings, field::kSoundsEnabled, "N");
        SetSetting(b.ctx.settings, field::kSoundsUndo, "Y");
        PlayEventSound(b.ctx, player, "Undo", field::kSoundsUndo);
        PlayMasterSound(b.ctx, player, "_t1dz");
        PlayMasterSound(b.ctx, player, "Reorder");
        QVERIFY(player.Current().isEmpty());

        QCOMPARE(ModeForSound("New"), SoundMode::Wait);
        QCOMPARE(ModeForSound("Red_no_a"), SoundMode::Wait);
        QCOMPARE(ModeForSound("Redeal"), SoundMode::Loop);
        QCOMPARE(ModeForSound("Stock"), SoundMode::Async);
    }
};

} // namespace quendra

QTEST_MAIN(quendra::BrowserTest)
#include "browser_test.moc"
