#include "RadioButtonImpl.h"

#include "AUILibUtils.h"
#include "Pictures.h"

#include <QIcon>
#include <QString>

namespace AUILib {

RadioButton::impl::impl(RadioButton *owner)
    : BaseImplQt(owner)
{
    auto *button = MakeWidget<RadioButtonQt>();
    // Qt emits toggled before clicked.
    Connect(button, &QAbstractButton::toggled, [this](bool on) {
        if (on && !IsProgrammaticUpdate())
            m_turnedOn = true;
    });
    Connect(button, &QAbstractButton::clicked, [this] {
        const bool turnedOn = m_turnedOn;
        m_turnedOn = false;
        if (Fire(&RadioButton::OnClicked) && turnedOn)
            Fire(&RadioButton::OnCheck);
    });
}

RadioButton::impl::~impl() = default;

void RadioButton::impl::OnFormLoaded(const FormElement &)
{
    m_turnedOn = false;
}

void RadioButton::impl::SetCheck(bool check)
{
    auto *button = WidgetAs<RadioButtonQt>();
    if (!button)
        return;
    const ProgrammaticUpdateScope programmatic(*this);
    if (check) {
        button->setChecked(true);
    } else if (button->isChecked()) {
        // The only way an exclusive button goes off without another going on.
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

bool RadioButton::impl::Checked() const
{
    auto *button = WidgetAs<RadioButtonQt>();
    return button && button->isChecked();
}

void RadioButton::impl::SetText(const std::wstring &text)
{
    auto *button = WidgetAs<RadioButtonQt>();
    if (!button)
        return;
    const ProgrammaticUpdateScope programmatic(*this);
    button->setText(QString::fromStdWString(text));
}

std::wstring RadioButton::impl::GetText() const
{
    auto *button = WidgetAs<RadioButtonQt>();
    return button ? button->text().toStdWString() : std::wstring();
}

void RadioButton::impl::LoadPicture(const std::wstring &path, ScalePicture scale, int iconSize)
{
    if (!WidgetAs<RadioButtonQt>())
        return;
    applyPicture(PictureFromFile(path, iconSize), scale);
}

void RadioButton::impl::LoadPicture(const unsigned char *data, int length, ImageTypes type, ScalePicture scale,
                                    int iconSize)
{
    if (!WidgetAs<RadioButtonQt>())
        return;
    applyPicture(PictureFromBytes(data, length, type, iconSize), scale);
}

void RadioButton::impl::applyPicture(const QPixmap &picture, ScalePicture scale)
{
    auto *button = WidgetAs<RadioButtonQt>();
    if (!button)
        return;
    const ProgrammaticUpdateScope programmatic(*this);
    // The picture takes the text's place.
    button->setText(QString());
    const QPixmap scaled = AUILibUtils::ScaleBitmap(picture, scale, button->geometry().size());
    if (scaled.isNull()) {
        button->setIcon(QIcon());
    } else {
        button->setIconSize(scaled.size());
        QIcon icon;
        icon.addPixmap(scaled, QIcon::Normal, QIcon::Off);
        button->setIcon(icon);
    }
    button->repaint();
}

} // namespace AUILib
