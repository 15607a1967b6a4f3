#include "comment_mark.h"
#include "comments.h"
#include "comments_dialog.h"
#include "game_browser.h"
#include "main_menus.h"
#include "settings.h"
#include "ui_fixture.h"

#include <QComboBox>
#include <QFile>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest/QtTest>

namespace quendra {

class CommentsTest : public QObject {
    Q_OBJECT
  private slots:
    void writesTheNoteMarksTheGameAndRemovesAnEmptiedOne() {
        test::HostedWindow w;
        QVERIFY(w.shown);
        QVERIFY(w.window.StartGameDeal(0, "1234"));
        const std::string path = CommentsFilePath(w.ctx, "Klondike");
        {
            CommentsDialog dialog(w.ctx, w.window.images(), &w.window);
            QCOMPARE(dialog.games()->currentText(), QStringLiteral("Klondike"));
            QVERIFY(dialog.editor()->toPlainText().isEmpty());
            QTest::keyClicks(dialog.editor(), "Kings first. ");
            dialog.boldAction()->trigger();
            QTest::keyClicks(dialog.editor(), "Always");
            dialog.insertGameNumberAction()->trigger();
            dialog.accept();
        }
        QVERIFY(QFile::exists(QString::fromStdString(path)));
        CommentText saved;
        QVERIFY(LoadComments(w.ctx, "Klondike", saved));
        QVERIFY(saved.size() >= 2);
        QCOMPARE(saved[0].text, std::string("Kings first. "));
        QVERIFY(!saved[0].bold);
        QVERIFY(saved[1].text.starts_with("Always"));
        QVERIFY(saved[1].bold);
        QVERIFY(saved.back().text.find("[ Game number = ") != std::string::npos);

        // The browser's list shows the mark on Klondike and on no other game.
        {
            GameBrowser browser(w.ctx, w.window.images(), &w.window);
            // Every folder filled, from the top down (filling drops a folder's placeholder).
            QList<QTreeWidgetItem*> folders;
            for (int i = 0; i < browser.tree()->topLevelItemCount(); ++i)
                folders.append(browser.tree()->topLevelItem(i));
            while (!folders.isEmpty()) {
                QTreeWidgetItem* folder = folders.takeFirst();
                browser.fillFolder(folder);
                for (int i = 0; i < folder->childCount(); ++i)
                    folders.append(folder->child(i));
            }
            int marked = 0, games = 0;
            for (QTreeWidgetItemIterator it(browser.tree()); *it; ++it) {
                ++games;
                if ((*it)->data(0, kHasCommentsRole).toBool()) {
                    QCOMPARE((*it)->text(0), QStringLiteral("Klondike"));
                    ++marked;
                }
            }
            QVERIFY(marked > 0);
            QVERIFY(games > marked);
        }

        // Reopened, it shows the note; "Clear" asks first and Cancel keeps it.
        CommentsDialog dialog(w.ctx, w.window.images(), &w.window);
        QVERIFY(dialog.editor()->toPlainText().startsWith(QStringLiteral("Kings first. Always")));
        const int klondike = dialog.games()->currentIndex();
        QVERIFY(dialog.games()->itemData(klondike, kHasCommentsRole).toBool());
        test::WhenModal([](QWidget* box) { test::Press(box, QMessageBox::Cancel); });
        dialog.clearAction()->trigger();
        QVERIFY(!dialog.editor()->toPlainText().isEmpty());
        test::WhenModal([](QWidget* box) { test::Press(box, QMessageBox::Ok); });
        dialog.clearAction()->trigger();
        QVERIFY(dialog.editor()->toPlainText().isEmpty());
        // Choosing another game saves the emptied text: the file goes, and the mark with it.
        dialog.games()->setCurrentIndex(klondike == 0 ? 1 : 0);
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
        QVERIFY(!dialog.games()->itemData(klondike, kHasCommentsRole).toBool());
        dialog.reject();
    }

    void anUnreadableFileIsToldAndKept() {
        test::HostedWindow w;
        QVERIFY(w.shown);
        QVERIFY(w.window.StartGameDeal(0, "1"));
        const QString path = QString::fromStdString(CommentsFilePath(w.ctx, "Klondike"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("garbage, not rich text");
        }
        QString told;
        test::WhenModal([&told](QWidget* box) {
            told = qobject_cast<QMessageBox*>(box)->text();
            test::Press(box, QMessageBox::Ok);
        });
        CommentsDialog dialog(w.ctx, w.window.images(), &w.window);
        QVERIFY(told.contains(QStringLiteral("Klondike")));
        dialog.accept();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("garbage, not rich text"));
    }
};

} // namespace quendra

QTEST_MAIN(quendra::CommentsTest)
#include "comments_test.moc"
