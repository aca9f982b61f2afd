#pragma once

#include "Sandbox.h"
#include "ScrambledFiles.h"

#include <QByteArray>
#include <QString>

// A toolkit installation inside a sandbox: <base>/app/ is the working
// directory, with the language files under lang/ and the forms under
// auiresources/<module>/ui/ (scrambled, "<name>.ui.ob").
class TranslationFiles
{
public:
    explicit TranslationFiles(const Sandbox &sandbox) : m_sandbox(sandbox) {}

    QString workingDir() const { return m_sandbox.base() + QStringLiteral("/app/"); }

    static QByteArray stringTable(const QByteArray &language, const QByteArray &entries)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Strings language=\"" + language + "\">\n<StringTable>\n" +
               entries + "</StringTable>\n</Strings>\n";
    }

    static QByteArray linguistFile(const QByteArray &language, const QByteArray &messages)
    {
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"" + language +
               "\">\n<context>\n<name>Form</name>\n" + messages + "</context>\n</TS>\n";
    }

    // One message at one place of a form; the texts as they stand in the file.
    static QByteArray message(const QByteArray &form, int line, const QByteArray &source,
                              const QByteArray &translation)
    {
        return "<message><location filename=\"../../auiresources/x/ui/" + form + "\" line=\"" +
               QByteArray::number(line) + "\"/><source>" + source + "</source><translation>" + translation +
               "</translation></message>\n";
    }

    // lang/<language>/[module_]strings_<language>.xml[.ob]
    bool writeStrings(const QByteArray &language, const QByteArray &module, const QByteArray &entries,
                      bool scrambled = false) const
    {
        return write("lang/" + language + "/" + prefix(module) + "strings_" + language + ".xml", scrambled,
                     stringTable(language, entries));
    }

    // lang/<language>/[module_]<language>.ts[.ob]
    bool writeLinguist(const QByteArray &language, const QByteArray &module, const QByteArray &messages,
                       bool scrambled = false) const
    {
        return write("lang/" + language + "/" + prefix(module) + language + ".ts", scrambled,
                     linguistFile(language, messages));
    }

    // auiresources/[module/]ui/<name>.ob, always scrambled; returns its path.
    QString writeForm(const QByteArray &module, const QByteArray &name, const QByteArray &text) const
    {
        const QByteArray path = "auiresources/" + (module.isEmpty() ? QByteArray() : module + "/") + "ui/" + name;
        return write(path, true, text) ? workingDir() + path + ".ob" : QString();
    }

private:
    static QByteArray prefix(const QByteArray &module) { return module.isEmpty() ? QByteArray() : module + "_"; }

    bool write(const QByteArray &relative, bool scrambled, const QByteArray &text) const
    {
        const QString path = workingDir() + QString::fromUtf8(relative);
        return scrambled ? ScrambledFiles::write(path + ".ob", text) : m_sandbox.writeFile(path, text);
    }

    const Sandbox &m_sandbox;
};
