#include "help_windows.h"

#include "browser_catalogue.h"
#include "game_catalog.h"
#include "settings.h"

#include <array>
#include <cstdio>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quendra {

namespace {

const QString kProduct = QStringLiteral("Quendra 2000");

QDialog* TextWindow(QWidget* parent, const QString& title, const QString& html, QSize size) {
    auto* dialog = new QDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    auto* layout = new QVBoxLayout(dialog);
    auto* text = new QTextBrowser(dialog);
    text->setOpenExternalLinks(false);
    text->setHtml(html);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    layout->addWidget(buttons);
    dialog->resize(size);
    return dialog;
}

// Tips shown in turn, one a day the program starts.
constexpr std::array<const char*, 8> kTips = {
    "Press F2 to deal a new game of the same kind, and Ctrl+F12 to choose another game.",
    "Ctrl+Z takes a move back and Ctrl+Y plays it again.",
    "Tick Autoplay (F7) and the cards that may go to the foundations go there by themselves.",
    "Ctrl+P pauses the game and stops the clock; any key or click goes on with it.",
    "The game browser sorts the games by type, by time, by difficulty and by chance of "
    "winning: open a folder to see its games.",
    "F1 shows the rules of the game on the table.",
    "Right-click the tool bar to choose large or small icons, and to show the clock or the "
    "score again after hiding them.",
    "Right-click the clock or the score to hide it.",
};

} // namespace

std::string RulesFilePath(const GameContext& ctx) {
    std::string games = ctx.gamesFile.empty() ? ctx.ProgramDir() + "GAMES.DAT" : ctx.gamesFile;
    const auto slash = games.find_last_of('/');
    return (slash == std::string::npos ? std::string{} : games.substr(0, slash + 1)) + "RULES.DAT";
}

std::string ReadRulesText(const std::string& rulesFile, int number) {
    std::vector<std::string> lines;
    if (number < 0 || !ReadTextLines(rulesFile, lines)) return {};
    char header[16];
    std::snprintf(header, sizeof header, "[%04d] ", number);
    std::string text;
    bool inside = false;
    for (const std::string& line : lines) {
        if (!line.empty() && line.front() == '[') {
            if (inside) break;
            inside = line.starts_with(header);
            continue;
        }
        if (inside) text += line + "\n";
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

void ShowRulesWindow(QWidget* parent, const std::string& gameName, const std::string& rules) {
    const QString name = QString::fromStdString(gameName);
    QString body = QString::fromStdString(rules).toHtmlEscaped();
    body.replace(QStringLiteral("\n\n"), QStringLiteral("</p><p>"));
    body.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (rules.empty()) body = QStringLiteral("No rules are written for this game yet.");
    QDialog* dialog = TextWindow(
        parent, QStringLiteral("Rules - ") + name,
        QStringLiteral("<h2>%1</h2><p>%2</p>").arg(name.toHtmlEscaped(), body), QSize(520, 480));
    dialog->setObjectName(QStringLiteral("rulesWindow"));
    dialog->show();
}

void ShowHelpContents(QWidget* parent) {
    const QString html =
        QStringLiteral(
            "<h2>%1</h2>"
            "<p>A collection of patience games. Every game is dealt from a numbered deal, so the "
            "same number always gives the same cards.</p>"
            "<h3>Playing</h3>"
            "<p>Drag a card or a group of cards with the left mouse button and drop it where the "
            "rules allow. Click the stock to deal from it. Double-click a card to send it to a "
            "foundation.</p>"
            "<h3>Menus</h3>"
            "<ul><li><b>File</b>: a new deal (F2), another game (Ctrl+F12), and leaving the "
            "program.</li>"
            "<li><b>Game</b>: undo (Ctrl+Z) and redo (Ctrl+Y), pause (Ctrl+P), giving the game up "
            "(Ctrl+Q) and automatic play to the foundations (F7).</li>"
            "<li><b>Help</b>: the rules of the game on the table (F1).</li></ul>"
            "<h3>Choosing a game</h3>"
            "<p>The game browser lists the games by type and by group; select a game to read its "
            "description and see its table, then press OK or double-click it.</p>")
            .arg(kProduct);
    QDialog* dialog = TextWindow(parent, kProduct + QStringLiteral(" Help"), html, QSize(560, 520));
    dialog->setObjectName(QStringLiteral("helpContents"));
    dialog->show();
}

void ShowTipOfTheDay(QWidget* parent, GameContext& ctx) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("tipOfTheDay"));
    dialog.setWindowTitle(QStringLiteral("Tip of the Day"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* heading = new QLabel(QStringLiteral("<b>Did you know...</b>"), &dialog);
    layout->addWidget(heading);
    int index = ReadSettingInt(ctx, "Preference", "Tips_Index", 0);
    if (index < 0) index = 0;
    auto* tip = new QLabel(QString::fromUtf8(kTips[static_cast<std::size_t>(index) % kTips.size()]),
                           &dialog);
    tip->setWordWrap(true);
    tip->setMinimumSize(360, 80);
    tip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(tip);
    auto* atStart = new QCheckBox(QStringLiteral("&Show tips at startup"), &dialog);
    atStart->setChecked(ReadPreference(ctx, "Tips_StartUp", "N") != "N");
    layout->addWidget(atStart);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* next =
        buttons->addButton(QStringLiteral("&Next Tip"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    QObject::connect(next, &QPushButton::clicked, &dialog, [&] {
        ++index;
        tip->setText(QString::fromUtf8(kTips[static_cast<std::size_t>(index) % kTips.size()]));
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
    WriteSettingInt(ctx, "Preference", "Tips_Index", (index + 1) % static_cast<int>(kTips.size()));
    WriteSettingString(ctx, "Preference", "Tips_StartUp", atStart->isChecked() ? "Y" : "N");
}

void ShowAboutBox(QWidget* parent, const QString& version) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setWindowTitle(QStringLiteral("About ") + kProduct);
    box.setIconPixmap(QApplication::windowIcon().pixmap(48, 48));
    box.setText(QStringLiteral("<h3>%1</h3><p>Version %2</p>").arg(kProduct, version));
    box.setInformativeText(
        QStringLiteral("A collection of patience games for one player.\n"
                       "Every game is described by data and played by one rule engine."));
    box.exec();
}

void ShowGameInformation(QWidget* parent, const GameContext& ctx) {
    const int number = std::atoi(GetSetting(ctx.settings, field::kGameNumber).c_str());
    const std::string name = GetSetting(ctx.settings, field::kGameName);
    if (GetSetting(ctx.settings, field::kGameNumber).empty() || number < 0 || name.empty()) {
        QMessageBox::information(parent, kProduct, QStringLiteral("Select a game"));
        return;
    }
    const browser::Description d = browser::Describe(ctx, number);
    auto row = [](const char* label, const std::string& value) {
        return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
            .arg(QString::fromUtf8(label), QString::fromStdString(value).toHtmlEscaped());
    };
    QString html = QStringLiteral("<h3>%1</h3><table cellspacing=4>")
                       .arg(QString::fromStdString(name).toHtmlEscaped());
    html += row("Game number:", std::to_string(number));
    html += row("Deal number:", GetSetting(ctx.settings, field::kDealNumber));
    html += row("Objective:", d.objective);
    html += row("Decks:", d.decks);
    html += row("Redeals:", d.redeals);
    html += row("Game time:", d.duration);
    html += row("Difficulty:", d.difficulty);
    html += row("Skill:", d.skill);
    html += row("Chance of winning:", d.chance);
    html += QStringLiteral("</table>");
    QMessageBox box(QMessageBox::Information, QStringLiteral("Game information"), html,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("gameInformation"));
    box.exec();
}

} // namespace quendra
