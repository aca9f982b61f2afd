#include "Translator.h"

#include "AUILibConfig.h"
#include "TranslationFiles.h"

#include <QBuffer>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QDomDocument>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QUiLoader>
#include <gtest/gtest.h>

#include <memory>

using namespace AUILib;

// A form translated with a Linguist file that Qt's own lupdate extracted from
// it, filled with translations and scrambled as the toolkit ships both files.
class TranslatedFormTest : public SandboxTest
{
protected:
    static QString lupdate()
    {
        for (const char *path : {"/usr/lib/qt5/bin/lupdate", "/usr/bin/lupdate"}) {
            if (QFile::exists(path))
                return path;
        }
        return QString();
    }

    // The messages lupdate finds in the form, with translations by source text.
    QByteArray linguistFile(const QString &language, const QMap<QString, QString> &translations)
    {
        const QString plainForm = files.workingDir() + "auiresources/tools/ui/options.ui";
        const QString ts = files.workingDir() + "lang/" + language + "/tools_" + language + ".ts";
        EXPECT_TRUE(sandbox.writeFile(plainForm, fixture()));
        QDir().mkpath(QFileInfo(ts).absolutePath());
        QProcess process;
        process.setWorkingDirectory(files.workingDir());
        process.start(lupdate(), {"-silent", "-target-language", language, plainForm, "-ts", ts});
        EXPECT_TRUE(process.waitForFinished(30000)) << "lupdate did not finish";
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
        QFile::remove(plainForm);

        QDomDocument document;
        EXPECT_TRUE(document.setContent(sandbox.readFile(ts)));
        const QDomNodeList messages = document.elementsByTagName("message");
        EXPECT_EQ(messages.size(), translations.size());
        for (int i = 0; i < messages.size(); ++i) {
            const QDomElement message = messages.at(i).toElement();
            const QString source = message.firstChildElement("source").text();
            EXPECT_TRUE(translations.contains(source)) << source.toStdString();
            QDomElement translation = message.firstChildElement("translation");
            translation.removeAttribute("type");
            translation.appendChild(document.createTextNode(translations.value(source)));
        }
        QFile::remove(ts);
        return document.toByteArray();
    }

    static QByteArray fixture()
    {
        QFile file(ORBEL_TEST_DATA_DIR "/auilib/options.ui");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<QDialog> build(const std::wstring &text)
    {
        QByteArray utf8 = QString::fromStdWString(text).toUtf8();
        QBuffer buffer(&utf8);
        buffer.open(QIODevice::ReadOnly);
        QUiLoader loader;
        return std::unique_ptr<QDialog>(qobject_cast<QDialog *>(loader.load(&buffer)));
    }

    TranslationFiles files{sandbox};
};

TEST_F(TranslatedFormTest, LinguistFilesFromLupdateTranslateTheForm)
{
    if (lupdate().isEmpty())
        GTEST_SKIP() << "Qt's lupdate (qttools5-dev-tools) is not installed";
    SetWorkingDirPath(files.workingDir().toStdWString());
    const QString form = files.writeForm("tools", "options.ui", fixture());
    ASSERT_FALSE(form.isEmpty());

    struct Case
    {
        QString language;
        QMap<QString, QString> translations;
    };
    const Case cases[] = {
        {"ru-RU",
         {{"Options & updates", QString::fromUtf8("Параметры и обновления")},
          {"Shown once", QString::fromUtf8("Показано один раз")},
          {"Updates are checked\nonce a day.", QString::fromUtf8("Обновления проверяются\nраз в день.")},
          {"Say \"now\" <or later>", QString::fromUtf8("Скажите «сейчас» <или позже>")},
          {"Check now", QString::fromUtf8("Проверить")}}},
        {"ja-JP",
         {{"Options & updates", QString::fromUtf8("オプションと更新")},
          {"Shown once", QString::fromUtf8("一度だけ表示")},
          // Untranslated: the source stays, line break included.
          {"Updates are checked\nonce a day.", QString()},
          {"Say \"now\" <or later>", QString::fromUtf8("「今」と言う & 𝄞")},
          {"Check now", QString::fromUtf8("今すぐ確認")}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language.toStdString());
        const QByteArray ts = linguistFile(c.language, c.translations);
        ASSERT_FALSE(ts.isEmpty());
        SetCurrentLanguage(c.language.toStdWString(), true);
        ASSERT_TRUE(ScrambledFiles::write(
            QString::fromStdWString(GetTranslationFilePath(L"tools")), ts));

        const std::wstring text = Translator::GetInstance().TranslateUIFile(form.toStdWString());
        ASSERT_FALSE(text.empty());
        const std::unique_ptr<QDialog> dialog = build(text);
        ASSERT_TRUE(dialog) << QString::fromStdWString(text).toStdString();
        const auto expected = [&c](const char *source) {
            const QString translation = c.translations.value(source);
            return translation.isEmpty() ? QString(source) : translation;
        };
        EXPECT_EQ(dialog->windowTitle(), expected("Options & updates"));
        const auto *intro = dialog->findChild<QLabel *>("intro");
        ASSERT_TRUE(intro);
        EXPECT_EQ(intro->toolTip(), expected("Shown once"));
        EXPECT_EQ(intro->text(), expected("Updates are checked\nonce a day."));
        // Texts marked untranslatable keep their lines.
        EXPECT_EQ(intro->styleSheet(), "QLabel {\n  color: #202020;\n}");
        const auto *quote = dialog->findChild<QLabel *>("quote");
        ASSERT_TRUE(quote);
        EXPECT_EQ(quote->text(), expected("Say \"now\" <or later>"));
        const auto *check = dialog->findChild<QPushButton *>("check");
        ASSERT_TRUE(check);
        EXPECT_EQ(check->text(), expected("Check now"));
    }
}
