// Language strings: how sections are read, the DPI balloon texts, and the
// two shipped language files.
#include "config/languages.h"
#include "device/hid_thread.h"
#include "shell/myqquickview.h"
#include "testsupport.h"

#include <QSettings>
#include <QTest>

using namespace testsupport;

namespace {

void writeLang(const QString &code, const QByteArray &text) {
  QDir().mkpath(QStringLiteral("modules/i18n"));
  QFile f(QStringLiteral("modules/i18n/") + code + QStringLiteral(".ini"));
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(text);
}

QStringList eightDefaults() { return QStringList(8, QStringLiteral("DPI Switch to")); }

QStringList dpiTexts() { return QStringList(std::begin(dpiSwitchTexts), std::end(dpiSwitchTexts)); }

void setDpiTexts(const QStringList &texts) {
  for (int i = 0; i < 8; ++i)
    dpiSwitchTexts[i] = texts.at(i);
}

} // namespace

class tst_lang : public QObject {
  Q_OBJECT

private slots:
  void init() {
    captureMessages();
    setDpiTexts(eightDefaults());
  }
  void cleanup() {
    qInstallMessageHandler(nullptr);
    setDpiTexts(eightDefaults());
  }

  void sections() {
    WorkDir dir;
    writeLang(QStringLiteral("Test"), "[gap]\ntotal=3\n0=first\n2=third\n"
                                      "[zero]\ntotal=0\n0=never\n"
                                      "[negative]\ntotal=-2\n0=never\n"
                                      "[word]\ntotal=many\n0=never\n"
                                      "[comma]\ntotal=2\n0=a, b\n1=\"c, d\"\n"
                                      "[zh]\ntotal=2\n0=宏编辑器\n1=\"按键 \"\n");
    myQQuickView view(nullptr);
    const QString test = QStringLiteral("Test");
    QCOMPARE(view.getLangStrings(QStringLiteral("gap"), test),
             QStringList({QStringLiteral("first"), QString(), QStringLiteral("third")}));
    QVERIFY(view.getLangStrings(QStringLiteral("zero"), test).isEmpty());
    QVERIFY(view.getLangStrings(QStringLiteral("negative"), test).isEmpty());
    QVERIFY(view.getLangStrings(QStringLiteral("word"), test).isEmpty());
    QVERIFY(view.getLangStrings(QStringLiteral("missing"), test).isEmpty());
    QVERIFY(view.getLangStrings(QStringLiteral("gap"), QStringLiteral("Klingon")).isEmpty());
    QCOMPARE(view.getLangStrings(QStringLiteral("comma"), test),
             QStringList({QStringLiteral("a, b"), QStringLiteral("c, d")}));
    QCOMPARE(view.getLangStrings(QStringLiteral("zh"), test),
             QStringList({QString::fromUtf8("宏编辑器"), QString::fromUtf8("按键 ")}));
    QVERIFY(messages.isEmpty());
    QCOMPARE(dpiTexts(), eightDefaults()); // only "other" feeds them
    QVERIFY(!QFile::exists(QStringLiteral("modules/i18n/Klingon.ini")));
  }

  void hugeTotalIsCapped() {
    WorkDir dir;
    writeLang(QStringLiteral("Test"), "[main]\ntotal=2000000000\n0=Editor\n");
    myQQuickView view(nullptr);
    const QStringList strings = view.getLangStrings(QStringLiteral("main"), QStringLiteral("Test"));
    QCOMPARE(strings.size(), 4096);
    QCOMPARE(strings.first(), QStringLiteral("Editor"));
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains(QStringLiteral("2000000000")));
  }

  void dpiTextsFromOther() {
    WorkDir dir;
    QByteArray other = "[other]\ntotal=9\n";
    for (int i = 0; i < 9; ++i)
      other += QByteArray::number(i) + "=DPI " + QByteArray::number(i + 1) + "\n";
    writeLang(QStringLiteral("Nine"), other);
    writeLang(QStringLiteral("Short"), "[other]\ntotal=3\n0=one\n1=two\n2=three\n");
    myQQuickView view(nullptr);

    QCOMPARE(view.getLangStrings(QStringLiteral("other"), QStringLiteral("Nine")).size(), 9);
    QCOMPARE(dpiTexts(),
             QStringList({"DPI 1", "DPI 2", "DPI 3", "DPI 4", "DPI 5", "DPI 6", "DPI 7", "DPI 8"}));
    // A short section replaces what it has and keeps the rest.
    view.getLangStrings(QStringLiteral("other"), QStringLiteral("Short"));
    QCOMPARE(dpiTexts(),
             QStringList({"one", "two", "three", "DPI 4", "DPI 5", "DPI 6", "DPI 7", "DPI 8"}));
  }

  void shippedLanguages() {
    QVERIFY2(qEnvironmentVariableIsSet("NORVANE_SOURCE_DIR"), "run through ctest");
    const QString folder = qEnvironmentVariable("NORVANE_SOURCE_DIR") + "/modules/i18n/";
    const QList<QPair<QString, int>> sections = {
        {"main", 18},         {"keyMatrix", 5},    {"keyAssigment", 61},  {"dpiSetting", 5},
        {"lightControl", 20}, {"macroEditor", 34}, {"systemSetting", 21}, {"gunControl", 10},
        {"profile", 20},      {"keyCode", 133},    {"other", 8},          {"noMouse", 5},
        {"capture", 1},       {"access", 11}};
    QSettings english(folder + "English.ini", QSettings::IniFormat);
    QSettings chinese(folder + "ChineseSimplified.ini", QSettings::IniFormat);
    for (QSettings *lang : {&english, &chinese}) {
      QCOMPARE(lang->childGroups().size(), sections.size());
      for (const auto &[section, total] : sections) {
        QCOMPARE(lang->value(section + "/total").toInt(), total);
        for (int i = 0; i < total; ++i)
          QVERIFY2(lang->contains(section + "/" + QString::number(i)), qPrintable(section));
      }
    }
    WorkDir dir;
    QDir().mkpath(QStringLiteral("modules/i18n"));
    QFile::copy(folder + "English.ini", "modules/i18n/English.ini");
    QFile::copy(folder + "ChineseSimplified.ini", "modules/i18n/ChineseSimplified.ini");
    myQQuickView view(nullptr);
    const QString en = QStringLiteral("English"), zh = QStringLiteral("ChineseSimplified");
    const QStringList mainEn = view.getLangStrings("main", en);
    QCOMPARE(mainEn.mid(0, 11),
             QStringList({"Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
                          "Reset factory setting", "Cancel", "OK", "System setting", "Save"}));
    QCOMPARE(view.getLangStrings("keyMatrix", en).first(), QStringLiteral("Key "));
    const QStringList assignEn = view.getLangStrings("keyAssigment", en);
    QCOMPARE(assignEn.at(29), QStringLiteral("Previous"));
    QCOMPARE(assignEn.at(56), QStringLiteral("Sniper Key"));
    const QStringList keys = view.getLangStrings("keyCode", en);
    QCOMPARE(keys.at(0), QStringLiteral("A"));
    QCOMPARE(keys.at(45), QStringLiteral("\\"));
    QCOMPARE(keys.at(46), QStringLiteral("\\"));
    QCOMPARE(keys.at(50), QStringLiteral(","));
    QCOMPARE(keys.last(), QStringLiteral("MS-B5"));
    // Key names are stored in macros, so both languages use the same ones.
    QCOMPARE(view.getLangStrings("keyCode", zh), keys);

    const QStringList mainZh = view.getLangStrings("main", zh);
    QCOMPARE(mainZh.at(1), QString::fromUtf8("宏编辑器"));
    for (const auto &[section, total] : sections) {
      if (section == QLatin1String("keyCode") || section == QLatin1String("dpiSetting"))
        continue;
      QVERIFY2(view.getLangStrings(section, zh) != view.getLangStrings(section, en),
               qPrintable(section));
    }
    view.getLangStrings("other", zh);
    QCOMPARE(dpiSwitchTexts[2], QString::fromUtf8("DPI 已切换到第 3 档"));
  }

  // The languages offered are the files shipped, each named in itself; a
  // locale picks the file of its language (and script), else English.
  void languageChoice() {
    const QString folder = qEnvironmentVariable("NORVANE_SOURCE_DIR") + "/modules/i18n";
    const QList<ShippedLanguage> shipped = ::shippedLanguages(folder);
    QCOMPARE(shipped.size(), 2);
    QCOMPARE(shipped[0].code, QStringLiteral("ChineseSimplified"));
    QCOMPARE(shipped[0].name, QString::fromUtf8("简体中文"));
    QCOMPARE(shipped[1].code, QStringLiteral("English"));
    QCOMPARE(shipped[1].name, QStringLiteral("English"));

    const QStringList codes = {"ChineseSimplified", "English", "German"};
    const QList<QPair<const char *, const char *>> picks = {{"zh_CN", "ChineseSimplified"},
                                                            {"zh_SG", "ChineseSimplified"},
                                                            {"zh_TW", "English"},
                                                            {"de_AT", "German"},
                                                            {"fr_FR", "English"},
                                                            {"en_US", "English"},
                                                            {"C", "English"}};
    for (const auto &[locale, code] : picks)
      QCOMPARE(languageForLocale(QLocale(locale), codes), QString(code));

    // A stored choice holds while its file is shipped; first start follows
    // the locale.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QCOMPARE(effectiveLanguage("English", chinese, folder), QStringLiteral("English"));
    QCOMPARE(effectiveLanguage(QString(), chinese, folder), QStringLiteral("ChineseSimplified"));
    QCOMPARE(effectiveLanguage("Klingon", chinese, folder), QStringLiteral("ChineseSimplified"));
    QCOMPARE(effectiveLanguage(QString(), QLocale("de_DE"), folder), QStringLiteral("English"));
  }
};

QTEST_MAIN(tst_lang)
#include "tst_lang.moc"
