// The game in the player's language: the translation files are complete and keep what the code
// relies on; the language follows the environment; the windows show the chosen texts, with
// unique access keys, and the texts fit their controls at every scale. ctest runs this suite
// once per environment and names the language it must choose in QUILVARO_EXPECTED_LANGUAGE.
#include <QAbstractButton>
#include <QFile>
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
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            messages << TsMessage{context, {}, {}};
        else if (xml.name() == u"source")
            messages.last().source = xml.readElementText();
        else if (xml.name() == u"translation" &&
                 xml.attributes().value(QLatin1String("type")).isEmpty())
            messages.last().translation = xml.readElementText();
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

// A window's labels and buttons whose texts do not fit them, and its access keys (the menu's
// included) that are missing or taken twice.
QStringList Faults(const QWidget& window, const QList<QAction*>& menu = {}) {
    QStringList faults, keys;
    for (const QAction* a : menu)
        keys << QKeySequence::mnemonic(a->text()).toString().toLower();
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        if (w->window() != &window || !(label || button))
            continue;
        const QString text = label ? label->text() : button->text();
        const int room =
            label ? w->contentsRect().width()
                  : w->width() - 2 * w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
        if (w->fontMetrics().horizontalAdvance(QString(text).remove(u'&')) > room)
            faults << "too wide: " + text;
        if (button && !text.isEmpty())
            keys << QKeySequence::mnemonic(text).toString().toLower();
    }
    for (const QString& key : keys)
        if (key.isEmpty() || keys.count(key) > 1)
            faults << "access key: " + keys.join(' ');
    return faults;
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
        QStringList keys[2];
        for (int i : {0, 1}) {
            for (const TsMessage& m : ReadTs(i ? "de" : "ru")) {
                keys[i] << m.context + u'/' + m.source;
                QTest::addRow("%s %s %s", i ? "de" : "ru", qPrintable(m.context),
                              qPrintable(m.source.left(24).simplified()))
                    << m;
            }
        }
        // Both files hold the same texts; which ones the code has, the lupdate check compares.
        QVERIFY(!keys[0].isEmpty());
        QCOMPARE(keys[0], keys[1]);
    }
    // Finished, with the same placeholders and as many access keys; line breaks: a window's
    // CR LF, the command line's lone LF, and only the About box's prose may break where the
    // language needs; leading blanks indent the rules, leading breaks put "Next balls :" on the
    // third line.
    void everyTranslationIsFinishedAndKeepsWhatTheCodeReliesOn() {
        QFETCH(TsMessage, m);
        QVERIFY(!m.translation.trimmed().isEmpty());
        auto marks = [](const QString& s) {
            static const QRegularExpression mark(QStringLiteral("%\\d+|&(?!&)"));
            QStringList found;
            for (const auto& match : mark.globalMatch(s))
                found << match.captured();
            found.sort();
            const int crlf = s.count(QStringLiteral("\r\n"));
            return found << QString::number(s.count(u'\n') - crlf)
                         << QString::number(s.indexOf(QRegularExpression(QStringLiteral("\\S"))));
        };
        QCOMPARE(marks(m.translation), marks(m.source));
        if (m.context != QLatin1String("About"))
            QCOMPARE(m.translation.count(QStringLiteral("\r\n")),
                     m.source.count(QStringLiteral("\r\n")));
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
        QStringList shown{g.form.txtMess().Text(), g.form.Label1(0).Text()}, wanted;
        for (QAction* a : g.form.MenuBar()->actions())
            shown << a->text();
        g.Start({1, 2, 3}, {{1, 1}, {2, 2}, {3, 3}}, {4, 5, 6});
        shown << g.form.mnuStart().Caption() << g.form.txtMess().Text();
        g.ClearRecords();
        g.ClickStartStop();  // Start and Stop toggle by the caption in every language
        shown << g.rt.events << g.form.mnuStart().Caption() << g.form.txtMess().Text();
        Form2 list(&g.form);
        list.FillPlayerList();
        const QString header = list.findChild<QListWidget*>()->item(0)->text();
        shown << list.windowTitle();
        const char* const texts[][2] = {
            {"Form1", kGreeting},       {"Form1", "Result"},
            {"Form1", "&Player"},       {"Form1", "&Zoom"},
            {"Form1", "&About"},        {"Form1", "&Start"},
            {"Form1", "&Stop"},         {"GameFlow", "\r\n\r\nNext balls :"},
            {"GameFlow", "STOP"},       {"Form1", "&Start"},
            {"GameFlow", "Game over."}, {"Form2", "Players List"}};
        for (const auto& [context, source] : texts)
            wanted << Shown(context, source);
        wanted[8] = "msgbox " + wanted[8] + ": " + Shown("GameFlow", "Game over");
        QCOMPARE(shown, wanted);
        QVERIFY2(header.size() == 32 && header.startsWith(Shown("Form2", "PLAYER")) &&
                     header.endsWith(Shown("Form2", "RESULT")),
                 qPrintable(header));

        // No line of the rules is wider than the widest designed one: the box would wrap it.
        static_cast<vb::MenuAction&>(g.form.mnuAbout()).Action()->trigger();
        QCOMPARE(g.rt.messages.back().title, Shown("About", "Rules and options."));
        auto widest = [](const QString& text) {
            int most = 0;
            for (const QString& line : text.split(QStringLiteral("\r\n")))
                most = std::max(
                    most, QFontMetrics(QApplication::font("QMessageBox")).horizontalAdvance(line));
            return most;
        };
        QString designed;
        for (const TsMessage& m : ReadTs(QStringLiteral("ru"))) {
            if (m.context != QLatin1String("About") || m.source == "Rules and options.")
                continue;
            designed += m.source + "\r\n";
            QVERIFY(g.rt.messages.back().text.contains(Shown("About", m.source)));
        }
        QVERIFY(widest(g.rt.messages.back().text) <= widest(designed));

        // Qt's own buttons speak the language where Debian's Qt translations are installed.
        const QString qtFile = QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                               QStringLiteral("/qtbase_%1.qm").arg(ExpectedLanguage());
        if (ExpectedLanguage().isEmpty() || QFile::exists(qtFile))
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel") == "Cancel",
                     ExpectedLanguage().isEmpty());
    }

    void theTextsFitAtEveryScale_data() {
        QTest::addColumn<float>("zoom");
        for (float zoom : {1.0f, 2.0f, 3.0f})
            QTest::addRow("1:%g", zoom) << zoom;
    }
    // The main window's texts and menu (Stop in Start's place too, the menu on one row), every
    // line of every message of the panel, and the dialogs at their designed sizes.
    void theTextsFitAtEveryScale() {
        QFETCH(float, zoom);
        GameDriver g;
        Zoom = zoom;
        LayoutMainWindow();
        const QMenuBar* bar = g.form.MenuBar();
        QStringList faults = Faults(g.form, bar->actions());
        g.form.mnuStart().SetCaption(Shown("Form1", "&Stop"));
        faults += Faults(g.form, bar->actions());
        for (QAction* a : bar->actions())
            QCOMPARE(bar->actionGeometry(a).top(), bar->actionGeometry(bar->actions()[0]).top());
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
            if (panel->fontMetrics().horizontalAdvance(line) > room)
                faults << "too wide: " + line;
        Form2 list(&g.form);
        frmNewGamer newGamer(list);
        QCOMPARE(faults + Faults(list) + Faults(newGamer), QStringList());
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
