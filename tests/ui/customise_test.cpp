#include "autoplay_setting.h"
#include "customisation.h"
#include "customise_dialog.h"
#include "main_menus.h"
#include "settings.h"
#include "table_play.h"
#include "table_view.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

struct Table : test::HostedWindow {
    explicit Table(const QString& folder = {}) : test::HostedWindow(folder) {
        if (shown) shown = window.StartGameDeal(0, "1");
    }
    std::unique_ptr<CustomiseDialog> Dialog() {
        return std::make_unique<CustomiseDialog>(
            ctx, window.images(), [this] { window.ApplyCustomisation(); }, &window);
    }
    QImage Shown() const { return window.table()->grab().toImage(); }
    // A point of the table's background, right of every pile's top row.
    QColor BackgroundPixel() const { return Shown().pixelColor(window.table()->width() - 5, 
                                                                window.table()->height() - 5); }
    // A point inside the face-down card at the bottom of the seventh pile.
    QColor FaceDownPixel() const {
        const QRect card = window.tablePlay()->CardRectInView(pile::Fila(6), 0);
        return Shown().pixelColor(card.center().x(), card.top() + 2);
    }
    void SelectRow(QListWidget* list, int code) {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->data(Qt::UserRole + 1).toInt() == code) list->setCurrentRow(i);
    }
};

} // namespace

class CustomiseTest : public QObject {
    Q_OBJECT
  private slots:
    void applyChangesTheTableAtOnceAndARestartKeepsIt() {
        QTemporaryDir folder;
        {
            Table w(folder.path());
            QVERIFY(w.shown);
            const QColor back = w.FaceDownPixel(), ground = w.BackgroundPixel();
            auto dialog = w.Dialog();
            QCOMPARE(dialog->pages()->count(), 6);
            w.SelectRow(dialog->backs(), 2);
            QVERIFY(dialog->selectBackground(17));
            dialog->applyButton()->click();
            QCOMPARE(GetSetting(w.ctx.settings, field::kBackCard), std::string("002"));
            QCOMPARE(GetSetting(w.ctx.settings, field::kBackgroundPicture), std::string("17"));
            QVERIFY(w.FaceDownPixel() != back);
            QVERIFY(w.BackgroundPixel() != ground);

            // Cancel drops what Apply did not store.
            w.SelectRow(dialog->backs(), 9);
            dialog->reject();
            QCOMPARE(GetSetting(w.ctx.settings, field::kBackCard), std::string("002"));
        }
        // The next start reads the same look.
        Table again(folder.path());
        QVERIFY(again.shown);
        QCOMPARE(GetSetting(again.ctx.settings, field::kBackCard), std::string("002"));
        QCOMPARE(CurrentBackgroundCode(again.ctx), 17);
    }

    void everyPageStoresItsKeysOnOk() {
        Table w;
        QVERIFY(w.shown);
        auto dialog = w.Dialog();
        QVERIFY(dialog->checkBox(QStringLiteral("Show tim&e")));
        dialog->checkBox(QStringLiteral("Show tim&e"))->setChecked(false);
        dialog->checkBox(QStringLiteral("&Large buttons"))->setChecked(true);
        // Cards: set 003 at the small size.
        for (int i = 0; i < dialog->cardSets()->count(); ++i) {
            QListWidgetItem* item = dialog->cardSets()->item(i);
            if (item->data(Qt::UserRole + 1).toInt() == 3 &&
                item->data(Qt::UserRole + 3).toString() == QStringLiteral("L"))
                dialog->cardSets()->setCurrentItem(item);
        }
        dialog->speed()->setValue(3);
        dialog->cursors()->setCurrentIndex(2);
        dialog->winningAnimation()->setCurrentIndex(2);
        dialog->winningTime()->setText(QStringLiteral("soon"));
        dialog->checkBox(QStringLiteral("S&hadowed"))->setChecked(false);
        dialog->checkBox(QStringLiteral("&Disable all sounds"))->setChecked(true);
        dialog->soundEvents()->item(0)->setCheckState(Qt::Unchecked);
        dialog->setAdvancedValue("Undo_Enabled", "1");
        dialog->setAdvancedValue("Disable_Statistics", "Y");
        QVERIFY(dialog->selectBackground(background_code::kFirstColour + 4));
        dialog->accept();

        QCOMPARE(GetSetting(w.ctx.settings, field::kShowTime), std::string("N"));
        QVERIFY(w.window.timePanel()->isHidden());
        QCOMPARE(ReadPreference(w.ctx, "ToolBar_Large"), std::string("Y"));
        QCOMPARE(GetSetting(w.ctx.settings, field::kCardSet), std::string("003"));
        QCOMPARE(GetSetting(w.ctx.settings, field::kCardSize), std::string("L"));
        QCOMPARE(w.ctx.geometry.CardWidth, std::int16_t(25));
        QCOMPARE(std::atoi(GetSetting(w.ctx.settings, field::kSpeedMoveCard).c_str()), 3);
        QCOMPARE(std::atoi(GetSetting(w.ctx.settings, field::kCursor).c_str()), 12);
        QCOMPARE(ReadPreference(w.ctx, "Winning_Animations"), std::string("Circles"));
        QCOMPARE(ReadPreference(w.ctx, "Winning_Animations_Time"), std::string("30"));
        QCOMPARE(ShadowOffset(w.ctx), 0);
        QCOMPARE(GetSetting(w.ctx.settings, field::kSoundsEnabled), std::string("N"));
        QCOMPARE(GetSetting(w.ctx.settings, field::kSoundsNewGame), std::string("N"));
        QCOMPARE(GetSetting(w.ctx.settings, field::kUndoMode), std::string("1"));
        QVERIFY(StatisticsDisabled(w.ctx));
        QCOMPARE(GetSetting(w.ctx.settings, field::kBackgroundPicture), std::string("0"));
        QCOMPARE(GetSetting(w.ctx.settings, field::kBackgroundDefault), std::string("N"));
        QVERIFY(std::atoll(GetSetting(w.ctx.settings, field::kBackgroundFixedColour).c_str()) > 0);
    }

    void aCustomisedPictureIsShownKeptAndRefusedWhenNotAPicture() {
        Table w;
        QVERIFY(w.shown);
        QTemporaryDir pictures;
        const QString picture = pictures.filePath(QStringLiteral("felt.png"));
        QImage felt(40, 40, QImage::Format_RGB32);
        felt.fill(QColor(200, 10, 200));
        QVERIFY(felt.save(picture));
        const QString text = pictures.filePath(QStringLiteral("notes.png"));
        {
            QFile file(text);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a picture");
        }
        auto dialog = w.Dialog();
        QString told;
        test::WhenModal([&told](QWidget* box) {
            told = qobject_cast<QMessageBox*>(box)->text();
            test::Press(box, QMessageBox::Ok);
        });
        QVERIFY(!dialog->addCustomisedBackground(text));
        QVERIFY(told.contains(QStringLiteral("not a picture")));
        QVERIFY(CustomisedBackgrounds(w.ctx).empty());

        QVERIFY(dialog->addCustomisedBackground(picture));
        dialog->applyButton()->click();
        QCOMPARE(ReadPreference(w.ctx, "Customized_Background"), picture.toStdString());
        QCOMPARE(w.BackgroundPixel(), QColor(200, 10, 200));

        // Deleted after the question, it leaves the table to the default background.
        test::WhenModal([](QWidget* box) { test::Press(box, QMessageBox::Yes); });
        QVERIFY(dialog->deleteCustomisedBackground());
        QVERIFY(CustomisedBackgrounds(w.ctx).empty());
        QCOMPARE(GetSetting(w.ctx.settings, field::kCustomizedBackground), std::string("N"));
        QVERIFY(w.BackgroundPixel() != QColor(200, 10, 200));
        dialog->reject();
    }

    void aPictureThatIsGoneFallsBackOnceWithItsMessage() {
        Table w;
        QVERIFY(w.shown);
        StoreBackgroundChoice(w.ctx, background_code::kCustomised, "/nowhere/gone.png", 0);
        int messages = 0;
        auto* poll = new QTimer(&w.window);
        QObject::connect(poll, &QTimer::timeout, [&messages] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++messages;
                box->accept();
            }
        });
        poll->start(10);
        w.window.ApplyCustomisation();
        w.window.ApplyCustomisation();
        QTest::qWait(50);
        poll->stop();
        QCOMPARE(messages, 1);
        QCOMPARE(GetSetting(w.ctx.settings, field::kCustomizedBackground), std::string("N"));
        QCOMPARE(GetSetting(w.ctx.settings, field::kBackgroundDefault), std::string("Y"));
    }

    void advancedOptionsKeepTheGamesOwnAutoplaySwitch() {
        Table w;
        QVERIFY(w.shown);
        auto dialog = w.Dialog();
        test::WhenModal([](QWidget* modal) {
            auto* each = modal->findChildren<QRadioButton*>().at(0);
            for (QRadioButton* radio : modal->findChildren<QRadioButton*>())
                if (radio->text().startsWith(QStringLiteral("Customize"))) each = radio;
            each->setChecked(true);
            auto* game = modal->findChild<QCheckBox*>(QStringLiteral("chkGameAutoplay"));
            QVERIFY(game && game->isEnabled());
            game->setChecked(false);
            qobject_cast<QDialog*>(modal)->accept();
        });
        dialog->openAdvanced();
        QCOMPARE(dialog->advancedValues().at("AutoPlay_All_Games"), std::string("2"));
        // Nothing is stored before OK.
        QVERIFY(AutoplayWanted(w.ctx, 0));
        dialog->accept();
        QVERIFY(!AutoPlayAllGames(w.ctx));
        QVERIFY(!AutoplayWanted(w.ctx, 0));
        QVERIFY(AutoplayWanted(w.ctx, 1));
    }

    void theMenuAndThePopupOpenTheDialog() {
        Table w;
        QVERIFY(w.shown);
        QVERIFY(w.window.actions().customize->isEnabled());
        QVERIFY(w.window.actions().popupDeck->isEnabled());
        int page = -1;
        test::WhenModal([&page](QWidget* modal) {
            auto* dialog = qobject_cast<CustomiseDialog*>(modal);
            QVERIFY(dialog);
            page = dialog->pages()->currentIndex();
            dialog->reject();
        });
        w.window.actions().popupBackground->trigger();
        QCOMPARE(page, 3);
    }
};

} // namespace quendra

QTEST_MAIN(quendra::CustomiseTest)
#include "customise_test.moc"
