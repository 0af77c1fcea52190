// The game in the player's language; ctest runs the suite once per environment, naming the
// language to choose there in QUILVARO_EXPECTED_LANGUAGE.
#include <QAbstractButton>
#include <QKeySequence>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "GameDriver.h"
#include "app/Translations.h"
#include "players/NewPlayerWindow.h"
#include "players/PlayersListWindow.h"

using namespace qv;
using namespace qvtest;

using TsMessage = std::array<QString, 3>;  // context, source, finished translation

namespace {

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
            messages << TsMessage{context};
        else if (xml.name() == u"source")
            messages.last()[1] = xml.readElementText();
        else if (xml.name() == u"translation" && xml.attributes().value("type").isEmpty())
            messages.last()[2] = xml.readElementText();
    }
    return messages;
}

const QString ExpectedLanguage = qEnvironmentVariable("QUILVARO_EXPECTED_LANGUAGE");

// A window's labels and buttons whose texts do not fit, and access keys (the menu's too) missing
// or taken twice.
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
        QCOMPARE(LoadTranslations(), ExpectedLanguage);
        QCOMPARE(qApp->translate("MainWindow", "Result") == "Result", ExpectedLanguage.isEmpty());
    }

    // Both files hold the same texts, each finished, with the same placeholders, access keys,
    // leading blanks and line breaks (CR LF or LF); only the About box's prose breaks as it needs.
    void translationsFinished() {
        const QList<TsMessage> ru = ReadTs("ru"), de = ReadTs("de");
        QVERIFY(ru.size() > 30);
        auto marks = [](const QString& s, bool prose) {
            QStringList found;
            for (const auto& match : QRegularExpression("%\\d+|&(?!&)").globalMatch(s))
                found << match.captured();
            found.sort();
            return found << QString::number(s.count(u'\n') - s.count("\r\n"))
                         << QString::number(s.indexOf(QRegularExpression("\\S")))
                         << QString::number(prose ? 0 : s.count("\r\n"));
        };
        for (const QList<TsMessage>& file : {ru, de}) {
            QCOMPARE(file.size(), ru.size());
            for (qsizetype i = 0; i < file.size(); ++i) {
                const auto& [context, source, translation] = file[i];
                QCOMPARE(context + ": " + source, ru[i][0] + ": " + ru[i][1]);
                QVERIFY2(!translation.trimmed().isEmpty(), qPrintable("unfinished: " + source));
                QCOMPARE(marks(translation, context == "About"), marks(source, context == "About"));
            }
        }
    }

    void textsFitAtEveryScale_data() {
        QTest::addColumn<float>("zoom");
        for (float zoom : {1.0f, 2.0f, 3.0f})
            QTest::addRow("1:%g", zoom) << zoom;
    }
    void textsFitAtEveryScale() {
        QFETCH(float, zoom);
        GameDriver g;
        Zoom = zoom;
        LayoutMainWindow();
        PlayersListWindow list(&g.window);
        NewPlayerWindow newGamer(list);
        QCOMPARE(Faults(g.window, g.window.MenuBar()->actions()) + Faults(list) + Faults(newGamer),
                 QStringList());
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
