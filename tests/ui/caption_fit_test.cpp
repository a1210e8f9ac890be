// No caption is cut off: every label, button and check box of every window
// shows its whole caption in the font the host draws it in, at the design
// size and (the ui tests run once more) at scale factor 2.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <initializer_list>

#include "game/Nuvik3Main.h"
#include "platform/qt/controlwidgets.h"
#include "platform/qt/look.h"
#include "platform/qt/panelwidget.h"
#include "platform/qt/twips.h"
#include "ui_helpers.h"
#include "windows/frmKLWRP.h"
#include "windows/frmNotes.h"

namespace {

using vb::ControlKind;

// What the caption needs beyond its box, in pixels; nothing when it fits.
QString Overflow(const QFont& font, const QString& text, const QRect& box, int flags,
                 const QWidget* device) {
    const QRectF needed = QFontMetricsF(font, device).boundingRect(QRectF(box), flags, text);
    if (needed.width() <= box.width() + 0.01 && needed.height() <= box.height() + 0.01) {
        return {};
    }
    return QStringLiteral("needs %1 x %2 in %3 x %4 at %5 pt")
        .arg(needed.width()).arg(needed.height()).arg(box.width()).arg(box.height()).arg(font.pointSizeF());
}

QString CaptionOverflow(vb::Control& c, QWidget* window) {
    const QString text = vb::host::ToQString(c.Caption);
    if (c.Kind() == ControlKind::Label) {
        const vb::Container& parent = *c.Parent();
        auto* panel = window->findChild<vb::host::PanelWidget*>(
            parent.Kind() == ControlKind::Form ? QStringLiteral("client") : vb::host::WidgetName(parent));
        if (panel == nullptr) {
            return QStringLiteral("no panel");
        }
        const QRect box = vb::host::ChildRect(c).adjusted(c.Border, c.Border, -c.Border, -c.Border);
        const int align = c.Alignment == vb::Align::Center  ? Qt::AlignHCenter
                          : c.Alignment == vb::Align::Right ? Qt::AlignRight
                                                            : Qt::AlignLeft;
        return Overflow(panel->CaptionFont(c), text, box,
                        align | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, panel);
    }
    auto* button = window->findChild<QAbstractButton*>(vb::host::WidgetName(c));
    if (button == nullptr) {
        return QStringLiteral("no widget");
    }
    if (auto* box = qobject_cast<QCheckBox*>(button)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect area = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        return Overflow(box->font(), text, area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box);
    }
    // Inside the button's bevel.
    return Overflow(button->font(), text, button->rect().adjusted(3, 2, -3, -2),
                    Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, button);
}

TEST(CaptionFit, EveryLabelButtonAndCheckBoxOfEveryWindowShowsItsWholeCaption) {
    uitest::FolderRuntime rt;
    Nuvik3Main w(rt);
    w.Show();
    w.cmdKLWRP_Click();
    // The board's status line too: its labels are taken in when it shows.
    w.fraJuego->Visible = true;
    w.fraHelp->Visible = true;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(rt.WindowOf(w)));

    int checked = 0;
    for (vb::Form* form : std::initializer_list<vb::Form*>{&w, w.Notes.get(), w.KLWRP.get()}) {
        ASSERT_NE(form, nullptr);
        QWidget* window = rt.WindowOf(*form);
        ASSERT_NE(window, nullptr);
        for (vb::Control* c : form->AllControls()) {
            const ControlKind kind = c->Kind();
            if (c->Caption.get().empty() ||
                (kind != ControlKind::Label && kind != ControlKind::CommandButton &&
                 kind != ControlKind::CheckBox)) {
                continue;
            }
            EXPECT_EQ(CaptionOverflow(*c, window).toStdString(), "") << c->Name();
            ++checked;
        }
    }
    // Menu 18, help page 1, status line 6, notes window 3.
    EXPECT_EQ(checked, 28);
}

} // namespace
