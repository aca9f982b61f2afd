#include "CDlgComponentFound.h"

#include "ui_DlgComponentFound.h"

#include "ComponentInfo.h"
#include "UpdaterApp.h"

#include <QDebug>
#include <QPixmap>
#include <QStringList>
#include <QUrl>
#include <initializer_list>
#include <utility>

namespace {

const char kServiceHost[] = "service.orbel-software.example";
const char kChinaServiceHost[] = "service.orbel-software-cn.example";
const char kJapanWebHost[] = "www.orbel-software-jp.example";
const char kWebHost[] = "www.orbel-software.example";

// Component-list identifiers of the OCR packs and the names they are shown under.
const struct
{
    const char *identifier;
    const char *display;
} kOcrNames[] = {
    {"OCR_ru_ru", QT_TRANSLATE_NOOP("QObject", "OCR_ru-RU")}, {"OCR_nl_nl", QT_TRANSLATE_NOOP("QObject", "OCR_nl-NL")},
    {"OCR_ko_kr", QT_TRANSLATE_NOOP("QObject", "OCR_ko-KR")}, {"OCR_tr_tr", QT_TRANSLATE_NOOP("QObject", "OCR_tr-TR")},
    {"OCR_zh_cn", QT_TRANSLATE_NOOP("QObject", "OCR_zh-CN")}, {"OCR_efigs", QT_TRANSLATE_NOOP("QObject", "OCR_efigs")},
    {"OCR_pl_pl", QT_TRANSLATE_NOOP("QObject", "OCR_pl-PL")}, {"OCR_pt_pt", QT_TRANSLATE_NOOP("QObject", "OCR_pt-PT")},
    {"OCR_jp_jp", QT_TRANSLATE_NOOP("QObject", "OCR_ja-JP")}, {"OCR_lt_lt", QT_TRANSLATE_NOOP("QObject", "OCR_lt-LT")},
    {"OCR_lv_lv", QT_TRANSLATE_NOOP("QObject", "OCR_lv-LV")}, {"OCR_et_ee", QT_TRANSLATE_NOOP("QObject", "OCR_et-EE")},
    {"OCR_fi_fi", QT_TRANSLATE_NOOP("QObject", "OCR_fi-FI")}, {"OCR_th_th", QT_TRANSLATE_NOOP("QObject", "OCR_th-TH")},
    {"OCR_no_no", QT_TRANSLATE_NOOP("QObject", "OCR_nb-NO")}, {"OCR_da_da", QT_TRANSLATE_NOOP("QObject", "OCR_da-DK")},
    {"OCR_is_is", QT_TRANSLATE_NOOP("QObject", "OCR_is-IS")}, {"OCR_sv_sv", QT_TRANSLATE_NOOP("QObject", "OCR_sv-SE")},
    {"OCR_hy_hy", QT_TRANSLATE_NOOP("QObject", "OCR_hy_hy")}, {"OCR_ro_ro", QT_TRANSLATE_NOOP("QObject", "OCR_ro-RO")},
    {"OCR_sk_sk", QT_TRANSLATE_NOOP("QObject", "OCR_sk-SK")}, {"OCR_cs_cs", QT_TRANSLATE_NOOP("QObject", "OCR_cs-CZ")},
    {"OCR_hu_hu", QT_TRANSLATE_NOOP("QObject", "OCR_hu-HU")}, {"OCR_ar_ar", QT_TRANSLATE_NOOP("QObject", "OCR_ar-AE")},
    {"OCR_iw_iw", QT_TRANSLATE_NOOP("QObject", "OCR_he-IL")}, {"OCR_fo_fo", QT_TRANSLATE_NOOP("QObject", "OCR_fo-FO")},
    {"OCR_el_el", QT_TRANSLATE_NOOP("QObject", "OCR_el-GR")}, {"OCR_eu_eu", QT_TRANSLATE_NOOP("QObject", "OCR_eu-ES")},
    {"OCR_bg_bg", QT_TRANSLATE_NOOP("QObject", "OCR_bg-BG")}, {"OCR_ca_ca", QT_TRANSLATE_NOOP("QObject", "OCR_ca-ES")},
    {"OCR_hr_hr", QT_TRANSLATE_NOOP("QObject", "OCR_hr-HR")}, {"OCR_gl_gl", QT_TRANSLATE_NOOP("QObject", "OCR_gl-ES")},
    {"OCR_mk_mk", QT_TRANSLATE_NOOP("QObject", "OCR_mk-MK")}, {"OCR_mt_mt", QT_TRANSLATE_NOOP("QObject", "OCR_mt-MT")},
    {"OCR_sr_sr", QT_TRANSLATE_NOOP("QObject", "OCR_sr-Cyrl-RS")}, {"OCR_sl_sl", QT_TRANSLATE_NOOP("QObject", "OCR_sl-SI")},
    {"OCR_uk_uk", QT_TRANSLATE_NOOP("QObject", "OCR_uk-UA")},
};

// Replaces each marker in one pass over the text, so that a value which itself
// holds a marker is never taken for one.
QString fillMarkers(const QString &text, std::initializer_list<std::pair<QString, QString>> values)
{
    QString result;
    int i = 0;
    while (i < text.size()) {
        bool replaced = false;
        for (const auto &value : values) {
            if (text.midRef(i).startsWith(value.first)) {
                result += value.second;
                i += value.first.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            result += text.at(i++);
    }
    return result;
}

QString encoded(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// Escaped for an attribute in single quotes as well as for text.
QString htmlEscaped(const QString &value)
{
    return value.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}

} // namespace

CDlgComponentFound::CDlgComponentFound(ComponentInfo &info, QWidget *parent)
    : QDialog(parent, Qt::WindowFlags())
    , ui(new Ui_DlgComponentFound())
{
    ui->setupUi(this);
    ui->label_6->setPixmap(QPixmap(QStringLiteral("://res/zude_32.png")));
    ui->label_6->setFixedSize(32, 32);
    init(info);
}

CDlgComponentFound::~CDlgComponentFound()
{
    delete ui;
}

QString CDlgComponentFound::addonsLink(const ComponentInfo &info)
{
    QString host = QLatin1String(kServiceHost);
    if (UpdaterApp::GetPackageType() == QLatin1String("zh-CN"))
        host = QLatin1String(kChinaServiceHost);
    if (info.language.compare(QLatin1String("ja-JP"), Qt::CaseInsensitive) == 0)
        host = QLatin1String(kJapanWebHost);

    QString link = QStringLiteral("https://") + host + QStringLiteral("/go.php?do=redirect&title=reader4mac_addons");
    link += QStringLiteral("&product=%1&language=%2&version=%3&edition=%4");
    // One arg() call fills all four at once; each value is encoded for the query.
    link = link.arg(encoded(QStringLiteral("Orbel Reader for Mac")), encoded(info.language),
                    encoded(info.readerVersion), encoded(info.edition));
    link += QStringLiteral("&utm_source=client-app&utm_medium=button&utm_campaign=corvidmac");
    const int lastDot = info.readerVersion.lastIndexOf(QLatin1Char('.'));
    link += encoded(lastDot < 0 ? info.readerVersion : info.readerVersion.left(lastDot));
    return link;
}

void CDlgComponentFound::init(ComponentInfo &info)
{
    const QString oneText = QObject::tr("The %s component needs to be installed.");
    QString manyText = QObject::tr("The %s%[1](%d%[2] in total) components need to be installed.");
    manyText.remove(QLatin1String("%[1]"));
    manyText.remove(QLatin1String("%[2]"));

    const QString type = info.componentList;
    QString name;
    QString description;
    bool many = false;
    auto is = [&type](const char *identifier) {
        return type.compare(QLatin1String(identifier), Qt::CaseInsensitive) == 0;
    };

    // "SD" is the spelling dictionary: the spell checker's name and text.
    if (is("SD") || is("Orbel Spell Check Language")) {
        name = QObject::tr("Spell Check");
        description = QObject::tr("This component will help to find any spelling errors and highlight them with "
                                  "squiggly lines. ");
    } else if (is("Firefox Plugin")) {
        name = QObject::tr("Firefox Plugin");
    } else if (is("FileOpen")) {
        description = QObject::tr("This component will allow you to access documents encrypted with the FileOpen "
                                  "software. ");
    } else if (is("Dwg3DPlugins")) {
        description = QObject::tr("This plugin can be used to display the 3D objects. ");
    } else {
        name = type;
        for (const auto &ocr : kOcrNames)
            name.replace(QLatin1String(ocr.identifier), QObject::tr(ocr.display));
        const QStringList parts = name.split(QLatin1Char(','), Qt::SkipEmptyParts);
        name.clear();
        for (int i = 0; i < parts.size() && i < 5; ++i) {
            name += parts.at(i);
            if (i != parts.size() - 1 && i != 4)
                name += QLatin1Char('/');
        }
        if (parts.size() > 5) {
            many = true;
            ui->label1->setText(fillMarkers(manyText, {{QStringLiteral("%s"), name},
                                                       {QStringLiteral("%d"), QString::number(parts.size())}}));
        }
    }

    if (type.contains(QLatin1String("OCR_"))) {
        description = QObject::tr("This component will allow you to convert scanned or image-based content into "
                                  "selectable, searchable, and editable text.");
    } else if (type.startsWith(QLatin1String("PDF/A")) || type.startsWith(QLatin1String("pdf/a"))) {
        name = QObject::tr("PDF/AEX");
        description = QObject::tr("This component will allow you to check for compliance with PDF industry "
                                  "standards such as PDF/A. ");
    }
    ui->label2->setText(description);

    if (name.isEmpty())
        name = type;
    if (!many) {
        if (is("Dwg3DPlugins"))
            ui->label1->setText(QObject::tr("You need to install the 3D related plugin. "));
        else
            ui->label1->setText(fillMarkers(oneText, {{QStringLiteral("%s"), name}}));
    }
    // The component names come from the caller's command line: shown as written, never as markup.
    ui->label1->setTextFormat(Qt::PlainText);

    ui->label3->setText(QObject::tr("Please click Yes to download and install this component. You can also download "
                                    "it at a later time from the following link. After downloading, you can install "
                                    "it from 'Plug-in Management-> Install Plugin' on the Help tab. "));

    const QString link = addonsLink(info);
    qDebug().noquote() << "CDlgComponentFound::init strHttpt: " + link;
    const QString page = QStringLiteral("https://") + QLatin1String(kWebHost) + QStringLiteral("/products/addons.php");
    ui->label4->setText(QStringLiteral("<a style='color: #2189F7;' href='%1'>%2</a>")
                            .arg(htmlEscaped(link), htmlEscaped(page)));

    ui->label5->setText(QObject::tr("Note: Downloading the update requires an Internet connection."));
}
