// The game in the player's language: the translation files are complete and keep what the code
// relies on; the language follows the environment; the windows show the chosen texts, with
// unique access keys, and the texts fit their controls at every scale. ctest runs this suite
// once per environment and names the language it must choose in QUILVARO_EXPECTED_LANGUAGE.
#include <QAbstractButton>
#include <QFile>
#include <QHash>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "GameDriver.h"
#include "app/About.h"
#include "app/Translations.h"
#include "players/Form2.h"
#include "players/frmNewGamer.h"

using namespace qv;
using namespace qvtest;

// One text of a translation file.
struct TsMessage {
    QString context, source, translation;  // no translation while unfinished
};
Q_DECLARE_METATYPE(TsMessage)

namespace {

// The messages of a Qt Linguist file.
QList<TsMessage> ReadTs(const QString& language) {
    QFile file(QStringLiteral(QUILVARO_SOURCE_DIR "/translations/quilvaro_%1.ts").arg(language));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    // lupdate writes a carriage return as an element of its own.
    QXmlStreamReader xml(file.readAll().replace("<byte value=\"xd\"/>", "&#13;"));
    QList<TsMessage> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            messages << TsMessage{context, {}, {}};
        else if (xml.name() == u"source")
            messages.last().source = xml.readElementText();
        else if (xml.name() == u"translation")
            messages.last().translation = finished ? xml.readElementText() : QString();
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(file.fileName()), qPrintable(xml.errorString()));
    return messages;
}

const char* const kGreeting = "Hello player!\r\n\r\nLet's begin.\r\n\r\nPress \"Start\" button.";

QString ExpectedLanguage() {
    return qEnvironmentVariable("QUILVARO_EXPECTED_LANGUAGE");
}

// What the chosen language shows for a text of the code: its translation, or the text itself.
QString Shown(const char* context, const QString& source) {
    static const QList<TsMessage> messages =
        ExpectedLanguage().isEmpty() ? QList<TsMessage>() : ReadTs(ExpectedLanguage());
    for (const TsMessage& m : messages)
        if (m.context == QLatin1String(context) && m.source == source)
            return m.translation;
    return source;
}

// Each window's access keys, lower case.
QStringList AccessKeys(const QList<QAction*>& actions, const QWidget& window) {
    QStringList keys;
    for (const QAction* a : actions)
        keys << QKeySequence::mnemonic(a->text()).toString().toLower();
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (b->window() == &window && !b->text().isEmpty())
            keys << QKeySequence::mnemonic(b->text()).toString().toLower();
    }
    return keys;
}

// The texts of a window's labels and buttons that do not fit their controls.
QStringList TooWide(const QWidget& window) {
    QStringList wide;
    for (const QLabel* l : window.findChildren<QLabel*>()) {
        if (l->window() == &window &&
            l->fontMetrics().horizontalAdvance(l->text()) > l->contentsRect().width())
            wide << l->text();
    }
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (b->window() != &window)
            continue;
        const int margins = 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b);
        QString caption = b->text();
        caption.remove(QLatin1Char('&'));
        if (b->fontMetrics().horizontalAdvance(caption) + margins > b->width())
            wide << b->text();
    }
    return wide;
}

}  // namespace

class TestTranslations : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        if (!qEnvironmentVariableIsSet("QUILVARO_EXPECTED_LANGUAGE"))
            QSKIP("run through ctest, which sets the language environment");
        QCOMPARE(LoadTranslations(), ExpectedLanguage());
    }

    void everyTranslationIsFinishedAndKeepsWhatTheCodeReliesOn_data() {
        QTest::addColumn<TsMessage>("m");
        QHash<QString, QStringList> keys;
        for (const QString language : {"ru", "de"}) {
            for (const TsMessage& m : ReadTs(language)) {
                keys[language] << m.context + u'/' + m.source;
                QTest::addRow("%s %s %s", qPrintable(language), qPrintable(m.context),
                              qPrintable(m.source.left(24).simplified()))
                    << m;
            }
        }
        // Both files hold the same texts; which ones the code has, the lupdate check compares.
        QVERIFY(!keys["ru"].isEmpty());
        QCOMPARE(keys["ru"], keys["de"]);
    }
    void everyTranslationIsFinishedAndKeepsWhatTheCodeReliesOn() {
        QFETCH(TsMessage, m);
        QVERIFY(!m.translation.trimmed().isEmpty());
        // The same placeholders and as many access keys.
        static const QRegularExpression marks(QStringLiteral("%\\d+|&(?!&)"));
        auto each = [](const QString& s) {
            QStringList found;
            for (const auto& match : marks.globalMatch(s))
                found << match.captured();
            found.sort();
            return found;
        };
        QCOMPARE(each(m.translation), each(m.source));
        // Line breaks: a window's CR LF, the command line's lone LF. Only the About box's prose
        // may break where the language needs.
        const int breaks = m.translation.count(QStringLiteral("\r\n"));
        QCOMPARE(m.translation.count(u'\n') - breaks,
                 m.source.count(u'\n') - m.source.count(QStringLiteral("\r\n")));
        if (m.context != QLatin1String("About"))
            QCOMPARE(breaks, m.source.count(QStringLiteral("\r\n")));
        // Leading blanks indent the rules; leading breaks put "Next balls :" on the third line.
        static const QRegularExpression visible(QStringLiteral("\\S"));
        QCOMPARE(m.translation.indexOf(visible), m.source.indexOf(visible));
    }

    void theLanguageFollowsTheEnvironment_data() {
        QTest::addColumn<QString>("messagesLocale");  // LC_ALL, else LC_MESSAGES, else LANG
        QTest::addColumn<QStringList>("preferred");   // from LANGUAGE, else the locale
        QTest::addColumn<QString>("language");
        QTest::newRow("Austrian German") << "de_AT.UTF-8" << QStringList{"de-AT", "de"} << "de";
        QTest::newRow("LANGUAGE under C") << "C" << QStringList{"ru"} << "";
        QTest::newRow("LANGUAGE under POSIX") << "POSIX" << QStringList{"de"} << "";
        QTest::newRow("nothing set") << "" << QStringList{"ru"} << "";
        QTest::newRow("LANGUAGE under C.UTF-8") << "C.UTF-8" << QStringList{"de"} << "de";
        QTest::newRow("C.UTF-8 alone") << "C.UTF-8" << QStringList{"C"} << "";
        QTest::newRow("first with texts") << "en_GB.UTF-8" << QStringList{"fr", "de", "ru"} << "de";
        QTest::newRow("English first") << "de_DE.UTF-8" << QStringList{"en-GB", "de"} << "";
    }
    void theLanguageFollowsTheEnvironment() {
        QFETCH(QString, messagesLocale);
        QFETCH(QStringList, preferred);
        QFETCH(QString, language);
        QCOMPARE(ChooseLanguage(messagesLocale, preferred), language);
    }

    void theWindowsShowTheChosenTexts() {
        GameDriver g;
        QStringList captions;
        for (QAction* a : g.form.MenuBar()->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{Shown("Form1", "&Player"), Shown("Form1", "&Zoom"),
                                        Shown("Form1", "&About"), Shown("Form1", "&Start")}));
        QCOMPARE(g.form.txtMess().Text(), Shown("Form1", kGreeting));
        QCOMPARE(g.form.Label1(0).Text(), Shown("Form1", "Result"));

        // Start and Stop toggle by the caption in every language.
        g.Start({1, 2, 3}, {{1, 1}, {2, 2}, {3, 3}}, {4, 5, 6});
        QCOMPARE(g.form.mnuStart().Caption(), Shown("Form1", "&Stop"));
        QCOMPARE(g.form.txtMess().Text(), Shown("GameFlow", "\r\n\r\nNext balls :"));
        g.ClearRecords();
        g.ClickStartStop();
        QCOMPARE(g.rt.events, QStringList{"msgbox " + Shown("GameFlow", "STOP") + ": " +
                                          Shown("GameFlow", "Game over")});
        QCOMPARE(g.form.mnuStart().Caption(), Shown("Form1", "&Start"));
        QCOMPARE(g.form.txtMess().Text(), Shown("GameFlow", "Game over."));

        static_cast<vb::MenuAction&>(g.form.mnuAbout()).Action()->trigger();
        QCOMPARE(g.rt.messages.size(), 2u);
        QCOMPARE(g.rt.messages[1].title, Shown("About", "Rules and options."));
        const QString rules = Shown(
            "About",
            "   Select balls by click,  then  select free place  in  box to move it  there. \r\n"
            "When five (or more) balls one colored in one line occure,  they  disappear \r\n"
            "and bring you five (or more) puncts to your score.  Control new balls that \r\n"
            "will appear at next move in right side of picture.");
        QVERIFY(g.rt.messages[1].text.contains(QStringLiteral("\r\n") + rules +
                                               QStringLiteral("\r\n")));
        // No line is wider than the widest designed one: the message box would wrap it.
        const QFontMetrics box(QApplication::font("QMessageBox"));
        auto widest = [&box](const QString& text) {
            int most = 0;
            for (const QString& line : text.split(QStringLiteral("\r\n")))
                most = std::max(most, box.horizontalAdvance(line));
            return most;
        };
        QString designed;
        for (const TsMessage& m : ReadTs(QStringLiteral("ru")))
            designed += m.context == QLatin1String("About") ? m.source + "\r\n" : QString();
        QVERIFY(widest(g.rt.messages[1].text) <= widest(designed));

        Form2 list(&g.form);
        list.FillPlayerList();
        QCOMPARE(list.windowTitle(), Shown("Form2", "Players List"));
        const QString header = list.findChild<QListWidget*>()->item(0)->text();
        QVERIFY2(header.size() == 32 && header.startsWith(Shown("Form2", "PLAYER")) &&
                     header.endsWith(Shown("Form2", "RESULT")),
                 qPrintable(header));

        // Qt's own buttons speak the language where Debian's Qt translations are installed.
        const QString qtFile = QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                               QStringLiteral("/qtbase_%1.qm").arg(ExpectedLanguage());
        if (ExpectedLanguage().isEmpty() || QFile::exists(qtFile)) {
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel") == "Cancel",
                     ExpectedLanguage().isEmpty());
        }
    }

    void theTextsFitAtEveryScale_data() {
        QTest::addColumn<float>("zoom");
        for (float zoom : {1.0f, 2.0f, 3.0f})
            QTest::addRow("1:%g", zoom) << zoom;
    }
    void theTextsFitAtEveryScale() {
        QFETCH(float, zoom);
        GameDriver g;
        Zoom = zoom;
        LayoutMainWindow();
        QCOMPARE(TooWide(g.form), QStringList());
        // The menu bar keeps its commands on one row, Stop too.
        const QMenuBar* bar = g.form.MenuBar();
        const QStringList startKeys = AccessKeys(bar->actions(), g.form);
        g.form.mnuStart().SetCaption(Shown("Form1", "&Stop"));
        for (QAction* a : bar->actions())
            QCOMPARE(bar->actionGeometry(a).top(), bar->actionGeometry(bar->actions()[0]).top());
        // Every line of every message of the panel.
        const auto* panel = dynamic_cast<QPlainTextEdit*>(&g.form.txtMess());
        const int room = panel->viewport()->width() - 2 * panel->document()->documentMargin();
        const QStringList texts = {
            Shown("Form1", kGreeting),
            Shown("GameFlow", "Game over."),
            Shown("GameFlow", "\r\n\r\nNext balls :"),
            Shown("GameFlow", "Not bad.\r\n\r\nYou've improved \r\n\r\nyour own result!"),
            Shown("GameFlow", "Congratulations!\r\n\r\nYou result \r\n\r\nis the best!"),
            Shown("GameFlow",
                  "Result not kept:\r\nno player chosen.\r\n\r\nChoose or add one\r\n"
                  "under Player\r\nbefore Start.")};
        for (const QString& line : texts.join(QStringLiteral("\r\n")).split(QStringLiteral("\r\n")))
            QVERIFY2(panel->fontMetrics().horizontalAdvance(line) <= room, qPrintable(line));
        // The dialogs keep their designed sizes at every scale. No access key is missing or
        // taken twice in a window, Stop in Start's place included.
        Form2 list(&g.form);
        frmNewGamer newGamer(list);
        QCOMPARE(TooWide(list) + TooWide(newGamer), QStringList());
        for (const QStringList& keys : {startKeys, AccessKeys(bar->actions(), g.form),
                                        AccessKeys({}, list), AccessKeys({}, newGamer)}) {
            QVERIFY2(!keys.contains(QString()), qPrintable(keys.join(' ')));
            QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
