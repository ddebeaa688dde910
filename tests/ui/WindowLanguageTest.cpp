// SPDX-License-Identifier: GPL-3.0-or-later
// The window's language: the compiled translations built into the window,
// what installing one does to the window's texts, Qt's texts and the string
// table, and the settings dialog and about box in English and in Dutch.

#include "app/InterfaceLanguage.h"
#include "app/ProgramSettings.h"
#include "resources/StringTable.h"
#include "ui/AboutDlg.h"
#include "ui/InterfaceTranslation.h"
#include "ui/QtText.h"
#include "ui/SettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <string>
#include <vector>

namespace {

/// Source text → translation of every message in a .ts file.
QHash<QString, QString> ReadTranslations(const QString& path) {
    QHash<QString, QString> translations;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return translations;
    }
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            translations.insert(source, xml.readElementText());
        }
    }
    return translations;
}

QString EnglishTs() {
    return QStringLiteral(NR_SOURCE_DIR "/translations/norvikrename_en.ts");
}

QString ComboTexts(const QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i) {
        texts << combo.itemText(i) + QLatin1Char('=') + combo.itemData(i).toString();
    }
    return texts.join(QLatin1Char(' '));
}

QComboBox* LanguageCombo(const CSettingsDlg& dialog) {
    return dialog.findChild<QComboBox*>(QStringLiteral("languageCombo"));
}

CProgramSettings Settings(const std::string& language) {
    CProgramSettings settings;
    settings.SetDefaults(1024, 768);
    settings.language = language;
    return settings;
}

} // namespace

class WindowLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void EnglishIsBuiltIntoTheWindow() {
        const std::vector<std::string> available = AvailableTranslations();
        QVERIFY(std::find(available.begin(), available.end(), "en") != available.end());
        QVERIFY(std::find(available.begin(), available.end(), "nl") == available.end());
        QCOMPARE(OwnLanguageName("en"), QStringLiteral("English"));
        QCOMPARE(OwnLanguageName("de"), QStringLiteral("Deutsch"));
    }

    void EnglishGivesEveryWindowTextOfTheTable() {
        const QHash<QString, QString> translations = ReadTranslations(EnglishTs());
        QVERIFY(!translations.isEmpty());
        const CInterfaceTranslation translation("en");
        QCOMPARE(translation.GetLanguage(), std::string("en"));
        QCOMPARE(GetInterfaceLanguage(), std::string("en"));
        int differing = 0;
        for (const int id : AllStringIds()) {
            const QString text = ToQt(LookupString(id));
            const QString dutch = ToQt(LookupDutchString(id));
            if (!IsWindowString(id)) {
                QCOMPARE(text, dutch);
                continue;
            }
            QVERIFY2(translations.contains(dutch), qPrintable(dutch));
            QVERIFY2(!text.isEmpty(), qPrintable(dutch));
            QCOMPARE(text, translations.value(dutch));
            differing += text != dutch ? 1 : 0;
        }
        QVERIFY(differing > 80);
        QCOMPARE(UiText(strings::kColumnFileName), QStringLiteral("File"));
        QCOMPARE(UiText(strings::kNothingToRename),
                 QStringLiteral("There are no files to rename with the current options."));
        QCOMPARE(UiText(strings::kInvalidCommand), QStringLiteral("<ONJUIST COMMANDO>"));
        QCOMPARE(UiText(strings::kShellVerbMenuText), QStringLiteral("Norvik Rename vanaf hier"));
        QCOMPARE(Window::tr("Annuleren"), QStringLiteral("Cancel"));
    }

    void TheDutchComeBackWhenTheTranslationGoes() {
        {
            const CInterfaceTranslation translation("en");
            QCOMPARE(Window::tr("Annuleren"), QStringLiteral("Cancel"));
        }
        QCOMPARE(GetInterfaceLanguage(), std::string("nl"));
        QCOMPARE(UiText(strings::kColumnFileName), QStringLiteral("Bestand"));
        QCOMPARE(Window::tr("Annuleren"), QStringLiteral("Annuleren"));
    }

    void DutchAndUnknownLanguagesKeepTheDutch() {
        for (const char* language : {"nl", "xx", ""}) {
            const CInterfaceTranslation translation(language);
            QCOMPARE(translation.GetLanguage(), std::string("nl"));
            QCOMPARE(GetInterfaceLanguage(), std::string("nl"));
            QCOMPARE(UiText(strings::kColumnFileName), QStringLiteral("Bestand"));
            QCOMPARE(Window::tr("Annuleren"), QStringLiteral("Annuleren"));
            // Qt's own buttons speak Dutch too.
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        }
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    }

    void SettingsDialogOffersTheLanguages() {
        const CSettingsDlg dialog(Settings(""), false);
        QComboBox* combo = LanguageCombo(dialog);
        QVERIFY(combo != nullptr);
        QCOMPARE(ComboTexts(*combo), QStringLiteral("Systeem= Nederlands=nl English=en"));
        QCOMPARE(combo->accessibleName(), QStringLiteral("Taal"));
        QCOMPARE(combo->currentIndex(), 0);
        const auto* label = dialog.findChild<QLabel*>(QStringLiteral("languageLabel"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->buddy(), combo);
        QCOMPARE(label->text(), QStringLiteral("&Taal"));
        const auto* note = dialog.findChild<QLabel*>(QStringLiteral("languageNote"));
        QVERIFY(note != nullptr);
        QCOMPARE(note->text(), QStringLiteral("Een andere taal geldt vanaf de volgende start."));
    }

    void SettingsDialogStoresTheLanguageOnlyWhenChanged() {
        CProgramSettings settings = Settings("");
        {
            const CSettingsDlg dialog(settings, false);
            dialog.TakeValues(settings);
            QCOMPARE(settings.language, std::string());
        }
        {
            const CSettingsDlg dialog(settings, false);
            LanguageCombo(dialog)->setCurrentIndex(2);
            dialog.TakeValues(settings);
            QCOMPARE(settings.language, std::string("en"));
        }
        {
            const CSettingsDlg dialog(settings, false);
            QCOMPARE(LanguageCombo(dialog)->currentIndex(), 2);
            LanguageCombo(dialog)->setCurrentIndex(1);
            dialog.TakeValues(settings);
            QCOMPARE(settings.language, std::string("nl"));
        }
        {
            const CSettingsDlg dialog(settings, false);
            QCOMPARE(LanguageCombo(dialog)->currentIndex(), 1);
            LanguageCombo(dialog)->setCurrentIndex(0);
            dialog.TakeValues(settings);
            QCOMPARE(settings.language, std::string());
        }
    }

    void SettingsDialogKeepsALanguageItDoesNotKnow() {
        CProgramSettings settings = Settings("xx");
        const CSettingsDlg dialog(settings, false);
        QCOMPARE(LanguageCombo(dialog)->currentIndex(), 0);
        dialog.TakeValues(settings);
        QCOMPARE(settings.language, std::string("xx"));
    }

    void SettingsDialogInEnglish() {
        const CInterfaceTranslation translation("en");
        const CSettingsDlg dialog(Settings(""), false);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("General settings"));
        QComboBox* combo = LanguageCombo(dialog);
        QCOMPARE(ComboTexts(*combo), QStringLiteral("System= Nederlands=nl English=en"));
        QCOMPARE(combo->accessibleName(), QStringLiteral("Language"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("languageNote"))->text(),
                 QStringLiteral("A new language takes effect at the next start."));
        QCOMPARE(dialog.GetCheckBox(1027)->text(), QStringLiteral("Allow swaps and chains"));
        QCOMPARE(dialog.GetCheckBox(1022)->text(),
                 QStringLiteral("Add \"Norvik Rename vanaf hier\" to the file manager"));
        QStringList buttons;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
            buttons << button->text();
        }
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));
    }

    void AboutBoxInDutchAndInEnglish() {
        {
            const CAboutDlg about;
            QCOMPARE(about.windowTitle(), QStringLiteral("Over NorvikRename"));
            QCOMPARE(about.GetVersionLabel()->text(), QStringLiteral("Versie 0.1"));
            QCOMPARE(about.GetLicenceLabel()->text(),
                     QStringLiteral("Licentie: GNU GPL, versie 3 of later"));
            QCOMPARE(about.GetLicenceLabel()->objectName(), QStringLiteral("licenceLabel"));
        }
        const CInterfaceTranslation translation("en");
        const CAboutDlg about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About NorvikRename"));
        QCOMPARE(about.GetNameLabel()->text(), QStringLiteral("NorvikRename"));
        QCOMPARE(about.GetVersionLabel()->text(), QStringLiteral("Version 0.1"));
        QCOMPARE(about.GetLicenceLabel()->text(),
                 QStringLiteral("License: GNU GPL, version 3 or later"));
        QCOMPARE(about.GetOkButton()->text(), QStringLiteral("OK"));
    }
};

QTEST_MAIN(WindowLanguageTest)
#include "WindowLanguageTest.moc"
