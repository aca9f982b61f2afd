#include "ButtonImpl.h"

#include "AUILibUtils.h"
#include "ButtonBoxQt.h"
#include "ButtonQt.h"
#include "ContextMenu.h"
#include "StyleSheetEditor.h"
#include "WidgetColors.h"
#include "WidgetFonts.h"

#include <QDialogButtonBox>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace AUILib {

namespace {

const QString kButton = QStringLiteral("QPushButton");
const QString kHover = QStringLiteral("QPushButton:hover");
const QString kFocus = QStringLiteral("QPushButton:focus");
const QString kPressed = QStringLiteral("QPushButton:pressed");
const QString kDisabled = QStringLiteral("QPushButton:disabled");
const QString kAddPrefix = QStringLiteral("+ ");
constexpr int kMinimumHeight = 18;
constexpr int kTallButton = 31;        // from this height on, the gradient default sheet
constexpr int kButtonBoxRadius = 9;    // a rounded button inside a button box
constexpr int kPictureInset = 13;      // a picture is scaled to the button less this, each way

QString pixels(int value)
{
    return QString::number(value) + QStringLiteral("px");
}

bool isTextAndIcon(Button::ButtonStyle style)
{
    return style == Button::StyleTextAndIcon || style == Button::StyleRoundedTextAndIcon;
}

} // namespace

QSize FittedIconSize(const QSize &picture, const QSize &button)
{
    if (picture.width() <= button.width() && picture.height() <= button.height())
        return picture;
    const double scale = AUILibUtils::GetScaleFactor();
    return QSize(static_cast<int>(std::lround(picture.width() / scale)),
                 static_cast<int>(std::lround(picture.height() / scale)));
}

Button::impl::impl(Button *owner, QPushButton *existing)
    : BaseImplQt(owner)
{
    QPushButton *widget = existing ? WrapWidget(existing) : MakeWidget<ButtonQt>(owner);
    m_sheets = ButtonSheets::Make(m_colors);
    Connect(widget, &QPushButton::clicked, [this] { onClicked(); });
    // The menu triangle follows the widget's palette; the stored sheets keep
    // their own colours.
    m_textColor = widget->palette().color(QPalette::WindowText);
    m_disabledTextColor = widget->palette().color(QPalette::Disabled, QPalette::WindowText);
}

Button::impl::~impl() = default;

bool Button::impl::TakesMouseEventsWhenDisabled() const
{
    return false;
}

void Button::impl::onClicked()
{
    Button *owner = OwnerAs<Button>();
    if (!owner)
        return;
    // The menu's own loop may run anything, a handler that drops the control
    // or the menu included.
    const std::shared_ptr<BaseImpl> keepAlive = owner->GetBaseImpl();
    if (const std::shared_ptr<ContextMenu> menu = m_menu) {
        const Rect area = GetWindowRect();
        menu->Show(area.left, area.bottom);
    }
    Fire(&Button::OnClicked);
}

bool Button::impl::insideButtonBox() const
{
    QPushButton *widget = button();
    return widget && qobject_cast<QDialogButtonBox *>(widget->parentWidget());
}

int Button::impl::halfHeight() const
{
    QPushButton *widget = button();
    return widget ? widget->height() / 2 : 0;
}

void Button::impl::repaint()
{
    if (QPushButton *widget = button())
        widget->repaint();
}

void Button::impl::apply(const QString &sheet)
{
    QPushButton *widget = button();
    if (!widget)
        return;
    if (auto *box = qobject_cast<QDialogButtonBox *>(widget->parentWidget())) {
        // The toolkit's box styles its buttons itself; a foreign box is left as it is.
        if (auto *ours = qobject_cast<ButtonBoxQt *>(box)) {
            ours->SetButtonStyleSheet(widget->text(), sheet);
            m_currentSheet = sheet;
        }
        return;
    }
    widget->setFlat(!m_flat3D);
    widget->setStyleSheet(UnescapeStyleSheet(sheet));
    m_currentSheet = sheet;
    if (widget->minimumHeight() == 0)
        widget->setMinimumHeight(kMinimumHeight);
}

void Button::impl::edit(const QString &name, const Edits &edits)
{
    QPushButton *widget = button();
    if (!widget)
        return;
    const QString base = m_currentSheet.isEmpty() ? widget->styleSheet() : m_currentSheet;
    const QJsonArray rules = StyleSheetToJson(base);
    QJsonArray edited = rules;
    for (const auto &selectorValue : edits)
        edited = SetStyleSheetProperty(selectorValue.first, name, selectorValue.second, edited);
    if (edited == rules)
        return;
    apply(StyleSheetFromJson(edited));
}

void Button::impl::edit(const QString &selector, const QString &name, const QString &value)
{
    edit(name, {{selector, value}});
}

void Button::impl::ensureDefaultSheet()
{
    QPushButton *widget = button();
    if (!widget || !widget->styleSheet().isEmpty() || !m_currentSheet.isEmpty())
        return;
    const bool tall = widget->geometry().height() >= kTallButton && !insideButtonBox();
    apply(tall ? m_sheets.tallDefault : m_sheets.shortDefault);
}

void Button::impl::TakeSheetFromWidget()
{
    if (QPushButton *widget = button())
        m_currentSheet = widget->styleSheet();
}

void Button::impl::makeTextAndIconLayout()
{
    QPushButton *widget = button();
    if (!widget || m_layout)
        return;
    m_layout = new QVBoxLayout(widget);
    m_iconLabel = new QLabel(widget);
    m_iconLabel->setAlignment(Qt::AlignCenter);
    m_layout->addWidget(m_iconLabel);
    m_textLabel = new QLabel(widget);
    // Unescaped, so that the label's disabled gradient takes effect.
    m_textLabel->setStyleSheet(UnescapeStyleSheet(m_sheets.textLabel));
    m_textLabel->setAlignment(Qt::AlignCenter);
    m_layout->addWidget(m_textLabel);
    m_textLabel->setBuddy(widget);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Button::impl::showPictureInLayout(const QPixmap &picture)
{
    if (m_iconLabel)
        m_iconLabel->setPixmap(picture);
}

// The widget's text, without the add style's prefix, goes into the text label.
void Button::impl::moveTextIntoLayout()
{
    QPushButton *widget = button();
    if (!widget || widget->text().isEmpty() || !m_textLabel)
        return;
    m_textLabel->setText(m_addPrefixShown ? widget->text().mid(kAddPrefix.size()) : widget->text());
    widget->setText(QString());
    m_addPrefixShown = false;
}

void Button::impl::SetText(const std::wstring &text)
{
    QPushButton *widget = button();
    if (!widget)
        return;
    const QString value = QString::fromStdWString(text);
    if (isTextAndIcon(m_style) && (!widget->icon().isNull() || m_layout)) {
        if (!widget->icon().isNull()) {
            makeTextAndIconLayout();
            showPictureInLayout(m_picture);
            widget->setIcon(QIcon());
        }
        if (m_textLabel)
            m_textLabel->setText(value);
        return;
    }
    if (m_style == StyleIcon) {
        apply(m_sheets.borderless);
        return;
    }
    const bool add = m_style == StyleAdd;
    widget->setText(add ? kAddPrefix + value : value);
    m_addPrefixShown = add;
}

std::wstring Button::impl::GetText() const
{
    if (m_layout && m_textLabel)
        return m_textLabel->text().toStdWString();
    QPushButton *widget = button();
    if (!widget)
        return std::wstring();
    const QString text = widget->text();
    return (m_style == StyleAdd && m_addPrefixShown ? text.mid(kAddPrefix.size()) : text).toStdWString();
}

void Button::impl::SetChecked(bool checked)
{
    QPushButton *widget = button();
    if (!widget)
        return;
    if (!widget->isCheckable())
        widget->setCheckable(true);
    widget->setChecked(checked);
}

bool Button::impl::GetCheck() const
{
    QPushButton *widget = button();
    return widget && widget->isChecked();
}

void Button::impl::SetStyle(ButtonStyle style)
{
    m_style = style;
    QPushButton *widget = button();
    if (!widget)
        return;
    if (isTextAndIcon(style)) {
        makeTextAndIconLayout();
        showPictureInLayout(m_picture);
        // A second call finds the text in the label already and keeps it there.
        moveTextIntoLayout();
        widget->setIcon(QIcon());
    }
    if (style == StyleIcon) {
        widget->setText(QString());
        m_addPrefixShown = false;
    }
    switch (style) {
    case StyleText:
    case StyleTextAndIcon:
    case StyleIcon:
        apply(m_sheets.borderless);
        break;
    case StyleRounded:
    case StyleRoundedFixed:
    case StyleRoundedTextAndIcon: {
        const int radius = m_cornerRadius >= 1 ? m_cornerRadius : insideButtonBox() ? kButtonBoxRadius : halfHeight();
        apply(EditStyleSheet(m_sheets.greyFramed, kButton, QStringLiteral("border-radius"), pixels(radius)));
        break;
    }
    case StyleAdd:
        // Once on the text, however often the style is set.
        if (!m_addPrefixShown) {
            widget->setText(kAddPrefix + widget->text());
            m_addPrefixShown = true;
        }
        apply(m_sheets.add);
        break;
    case StyleHoverBorder:
        apply(m_sheets.hoverBorder);
        break;
    case StyleLink:
        apply(m_sheets.link);
        break;
    default:
        break;
    }
}

void Button::impl::SetTextColor(int color)
{
    ensureDefaultSheet();
    const QString name = ColorName(static_cast<RGBColor>(color));
    if (m_layout) {
        if (m_textLabel)
            m_textLabel->setStyleSheet(
                EditStyleSheet(m_textLabel->styleSheet(), QStringLiteral("QLabel"), QStringLiteral("color"), name));
    } else {
        edit(kButton, QStringLiteral("color"), name);
    }
    m_textColor = QColor(QRgb(static_cast<RGBColor>(color) & 0xFFFFFFu));
    repaint();
}

void Button::impl::SetTextColor(RGBColor normal, RGBColor disabled)
{
    ensureDefaultSheet();
    if (m_layout) {
        if (m_textLabel) {
            QString sheet = EditStyleSheet(m_textLabel->styleSheet(), QStringLiteral("QLabel"),
                                           QStringLiteral("color"), ColorNameWithAlpha(normal));
            sheet = EditStyleSheet(sheet, QStringLiteral("QLabel:disabled"), QStringLiteral("color"),
                                   ColorNameWithAlpha(disabled));
            m_textLabel->setStyleSheet(sheet);
        }
    } else {
        edit(QStringLiteral("color"), {{kButton, ColorNameWithAlpha(normal)}, {kDisabled, ColorNameWithAlpha(disabled)}});
    }
    m_textColor = QColor(QRgb(normal & 0xFFFFFFu));
    m_disabledTextColor = QColor(QRgb(disabled & 0xFFFFFFu));
    repaint();
}

void Button::impl::SetBackgroundColor(RGBColor normal, RGBColor hover, RGBColor disabled, RGBColor focus,
                                      RGBColor pressed)
{
    constexpr RGBColor kSameAsOther = 0xFFFFFFFF;
    ensureDefaultSheet();
    if (focus == kSameAsOther)
        focus = hover;
    if (pressed == kSameAsOther)
        pressed = normal;
    edit(QStringLiteral("background-color"), {{kButton, ColorNameWithAlpha(normal)},
                                              {kHover, ColorNameWithAlpha(hover)},
                                              {kFocus, ColorNameWithAlpha(focus)},
                                              {kPressed, ColorNameWithAlpha(pressed)},
                                              {kDisabled, ColorNameWithAlpha(disabled)}});
    repaint();
}

void Button::impl::SetBorderColor(RGBColor normal, RGBColor hover, RGBColor disabled)
{
    ensureDefaultSheet();
    edit(QStringLiteral("border-color"), {{kButton, ColorNameWithAlpha(normal)},
                                          {kHover, ColorNameWithAlpha(hover)},
                                          {kFocus, ColorNameWithAlpha(hover)},
                                          {kDisabled, ColorNameWithAlpha(disabled)}});
    repaint();
}

void Button::impl::SetBackgroundColor(unsigned int color, bool allStates)
{
    ensureDefaultSheet();
    if (allStates) {
        const RGBColor opaque = color | 0xFF000000u;
        SetBackgroundColor(opaque, opaque, opaque, opaque, opaque);
        SetBorderColor(opaque, opaque, opaque);
        edit(kPressed, QStringLiteral("background-color"), ColorNameWithAlpha(opaque));
    } else {
        edit(QStringLiteral("background-color"), {{kButton, ColorName(color)}, {kHover, ColorName(color)}});
    }
    repaint();
}

void Button::impl::SetRoundedButtonCornerRadius(int radius)
{
    m_cornerRadius = radius;
    edit(kButton, QStringLiteral("border-radius"), pixels(radius >= 1 ? radius : halfHeight()));
}

void Button::impl::DisableFocusRect(bool disable)
{
    m_focusRectDisabled = disable;
    edit(kFocus, QStringLiteral("border-width"), disable ? QStringLiteral("0px") : QStringLiteral("1px"));
    repaint();
}

void Button::impl::SetFont(const FontData &font)
{
    SetWidgetFontData(button(), font);
    repaint();
}

FontData Button::impl::GetFont() const
{
    QPushButton *widget = button();
    return widget ? FontDataFromFont(widget->font(), 51) : FontData();
}

void Button::impl::LoadPicture(const QPixmap &loaded, ScalePicture scale, bool disabled)
{
    QPushButton *widget = button();
    if (!widget)
        return;
    widget->setFlat(!m_flat3D);
    const QPixmap picture =
        AUILibUtils::ScaleBitmap(loaded, scale, widget->size() - QSize(kPictureInset, kPictureInset));
    (disabled ? m_disabledPicture : m_picture) = picture;

    if (isTextAndIcon(m_style) && (!widget->text().isEmpty() || m_layout)) {
        // The text goes into the layout's label at once, so that it shows and
        // reads back from one place.
        makeTextAndIconLayout();
        moveTextIntoLayout();
        showPictureInLayout(picture);
        repaint();
        return;
    }

    const QSize iconSize = FittedIconSize(picture.size(), widget->size());
    // The icon is the latest normal and disabled pictures (a picture loaded
    // again replaces the earlier one); a null normal picture leaves it empty.
    m_icon = QIcon();
    if (disabled || !picture.isNull()) {
        if (!m_picture.isNull())
            m_icon.addPixmap(m_picture, QIcon::Normal, QIcon::Off);
        if (!m_disabledPicture.isNull())
            m_icon.addPixmap(m_disabledPicture, QIcon::Disabled, QIcon::Off);
    }
    widget->setIcon(m_icon);
    widget->setIconSize(iconSize);
    repaint();
}

void Button::impl::InsertMenuBar(std::shared_ptr<ContextMenu> menu, bool showArrow)
{
    m_menu = std::move(menu);
    m_showMenuArrow = showArrow;
}

void Button::impl::RemoveMenuBar()
{
    m_menu.reset();
    m_showMenuArrow = false;
}

} // namespace AUILib
