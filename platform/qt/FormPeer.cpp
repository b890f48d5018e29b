#include "qt/FormPeer.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <vector>

#include "qt/Assets.h"
#include "qt/Scale.h"
#include "qt/Style.h"
#include "qt/QtVersions.h"

namespace corvane::qt {

namespace {

QString toQString(std::string_view text)
{
    return utf8Text(text);
}

Qt::Alignment toQtAlignment(ui::Alignment alignment)
{
    switch (alignment) {
    case ui::Alignment::Right: return Qt::AlignRight | Qt::AlignTop;
    case ui::Alignment::Center: return Qt::AlignHCenter | Qt::AlignTop;
    case ui::Alignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

void applyCursor(QWidget* widget, ui::Cursor cursor)
{
    switch (cursor) {
    case ui::Cursor::PointingHand: widget->setCursor(handCursor()); break;
    case ui::Cursor::TextEntry: widget->setCursor(Qt::IBeamCursor); break;
    case ui::Cursor::Default: break;
    }
}

// A top-aligned label whose font was made smaller to fit is moved down by
// what its ascent lost, so its text keeps the baseline the design gave it
// (the contact links of the help window share one line).
void setFittedFont(QWidget* w, const QFont& designed, const QString& text)
{
    const QFont fitted = fittedFont(designed, text, w->width() - 2);
    w->setFont(fitted);
    auto* label = qobject_cast<QLabel*>(w);
    if (label == nullptr || !(label->alignment() & Qt::AlignTop)) return;
    const double lost = QFontMetricsF(designed).ascent() - QFontMetricsF(fitted).ascent();
    label->setContentsMargins(0, std::max(0, static_cast<int>(std::lround(lost))), 0, 0);
}

} // namespace

FormPeer::FormPeer(ui::Form& form, int twipsPerPixel)
    : m_form(form), m_twipsPerPixel(twipsPerPixel), m_connections(std::make_unique<QObject>())
{
    build();
}

FormPeer::~FormPeer()
{
    // No signal of a dying window may reach the form again.
    m_connections.reset();
    if (QEventLoop* loop = m_modalLoop.data(); loop != nullptr) loop->quit();
    FormWidget* window = m_window.data();
    if (window == nullptr) return;
    window->onEnter = {};
    window->onCloseRequest = {};
    window->hide();
    // Unloading from one of this window's own handlers: the widget that
    // raised the event is still on the stack.
    if (*m_dispatchDepth > 0)
        window->deleteLater();
    else
        delete window;
}

template <class F>
void FormPeer::dispatch(F&& action)
{
    const std::shared_ptr<int> depth = m_dispatchDepth;
    ++*depth;
    action();
    --*depth;
}

void FormPeer::build()
{
    const ui::FormSpec& spec = m_form.spec();
    auto* window = new FormWidget();
    m_window = window;
    window->setObjectName(toQString(spec.name));
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    window->setWindowTitle(toQString(spec.caption));
    const QSize size(toPixels(spec.clientWidth, m_twipsPerPixel), toPixels(spec.clientHeight, m_twipsPerPixel));
    window->setFixedSize(size);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, toQColor(spec.backColor));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    if (!spec.picture.empty()) {
        auto* background = new QLabel(window);
        background->setObjectName(QStringLiteral("FormPicture"));
        background->setGeometry(QRect(QPoint(0, 0), size));
        // The picture's top left is the window's, whatever their sizes.
        background->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const QPixmap picture = assetPixmap(spec.picture);
        if (!picture.isNull()) background->setPixmap(picture);
    }

    // Containers first: the table may list a frame after what it holds.
    std::vector<const ui::Control*> ordered;
    for (const auto& c : m_form.controls())
        if (c->spec().kind == ui::ControlKind::Frame) ordered.push_back(c.get());
    for (const auto& c : m_form.controls())
        if (c->spec().kind != ui::ControlKind::Frame) ordered.push_back(c.get());
    for (const ui::Control* control : ordered) {
        const ui::ControlSpec& cs = control->spec();
        QWidget* parent = window;
        if (!cs.container.empty()) {
            if (QWidget* container = widget(cs.container)) parent = container;
        }
        QWidget* w = makeWidget(*control, parent);
        w->setObjectName(toQString(cs.name));
        w->setGeometry(toPixels(cs, m_twipsPerPixel));
        setFittedFont(w, toQFont(cs.font), toQString(cs.caption));
        if (!cs.tooltip.empty()) w->setToolTip(toQString(cs.tooltip));
        stylePalette(w, cs);
        applyCursor(w, cs.cursor);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) applyCursor(area->viewport(), cs.cursor);
        if (cs.isDefault) m_defaultButton = cs.name;
        m_widgets.emplace(cs.name, w);
    }

    std::vector<const ui::ControlSpec*> tabStops;
    for (const auto& c : m_form.controls()) {
        QWidget* w = widget(c->name());
        if (c->spec().tabIndex >= 0 && w != nullptr && w->focusPolicy() != Qt::NoFocus) tabStops.push_back(&c->spec());
    }
    std::stable_sort(tabStops.begin(), tabStops.end(),
                     [](const ui::ControlSpec* a, const ui::ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(widget(tabStops[i - 1]->name), widget(tabStops[i]->name));
    if (!tabStops.empty()) widget(tabStops.front()->name)->setFocus(Qt::OtherFocusReason);

    ui::Form* form = &m_form;
    window->onEnter = [this, form] {
        if (!m_defaultButton.empty()) dispatch([form, name = m_defaultButton] { form->userClick(name); });
    };
    window->onCloseRequest = [this, form] { dispatch([form] { form->userClose(); }); };
}

QWidget* FormPeer::makeWidget(const ui::Control& control, QWidget* parent)
{
    const ui::ControlSpec& cs = control.spec();
    ui::Form* form = &m_form;
    const std::string_view name = cs.name;
    switch (cs.kind) {
    case ui::ControlKind::Frame: {
        if (!cs.bordered) {
            auto* strip = new QFrame(parent);
            strip->setFrameShape(QFrame::NoFrame);
            return strip;
        }
        auto* box = new QGroupBox(toQString(cs.caption), parent);
        box->setFlat(false);
        return box;
    }
    case ui::ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true);
        list->setFocusPolicy(Qt::StrongFocus);
        connectList(list, name);
        return list;
    }
    case ui::ControlKind::TextBox: {
        auto* edit = new QLineEdit(toQString(cs.caption), parent);
        edit->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(edit, &QLineEdit::textEdited, m_connections.get(), [this, form, name](const QString& text) {
            if (m_updating) return;
            dispatch([form, name, value = text.toStdString()] { form->userType(name, value); });
        });
        return edit;
    }
    case ui::ControlKind::CommandButton: {
        auto* button = new PictureButton(parent, assetPixmap(cs.picture), assetPixmap(cs.downPicture));
        button->setText(toQString(cs.caption));
        button->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(button, &QAbstractButton::clicked, m_connections.get(),
                         [this, form, name] { dispatch([form, name] { form->userClick(name); }); });
        return button;
    }
    case ui::ControlKind::Image:
    case ui::ControlKind::Label: {
        auto* label = new ClickLabel(parent);
        if (cs.kind == ui::ControlKind::Image) {
            const QPixmap picture = assetPixmap(cs.picture);
            if (!picture.isNull()) label->setPixmap(picture);
            label->setScaledContents(false);
        } else {
            label->setText(toQString(cs.caption));
            label->setAlignment(toQtAlignment(cs.alignment));
            label->setTextFormat(Qt::PlainText);
        }
        label->setFocusPolicy(Qt::NoFocus);
        std::weak_ptr<int> alive = m_dispatchDepth;
        label->onClick = [this, form, name, alive] {
            if (alive.expired()) return;
            dispatch([form, name] { form->userClick(name); });
        };
        return label;
    }
    }
    return new QWidget(parent);
}

void FormPeer::connectList(QListWidget* list, std::string_view name)
{
    ui::Form* form = &m_form;
    // Selection, not the current row: tabbing into a list moves its current
    // row without selecting, and must not pick an entry.
    QObject::connect(list, &QListWidget::itemSelectionChanged, m_connections.get(), [this, form, list, name] {
        if (m_updating) return;
        const QList<QListWidgetItem*> selected = list->selectedItems();
        if (selected.isEmpty()) return;
        const int row = list->row(selected.front());
        dispatch([form, name, row] { form->userSelect(name, row); });
    });
}

void FormPeer::stylePalette(QWidget* w, const ui::ControlSpec& cs) const
{
    // Every role set explicitly: a frame's dark-red title must not leak into
    // the controls it holds.
    QPalette palette = QApplication::palette(w);
    const QColor text = cs.foreColor ? toQColor(*cs.foreColor) : QColor(Qt::black);
    if (cs.kind == ui::ControlKind::Frame) {
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Window, toQColor(cs.backColor.value_or(m_form.spec().backColor)));
        w->setAutoFillBackground(true);
    } else {
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::ButtonText, text);
        if (cs.backColor) {
            palette.setColor(QPalette::Window, toQColor(*cs.backColor));
            palette.setColor(QPalette::Base, toQColor(*cs.backColor));
            w->setAutoFillBackground(cs.kind == ui::ControlKind::Label || cs.kind == ui::ControlKind::Image);
        } else {
            w->setAttribute(Qt::WA_TranslucentBackground, false);
            w->setAutoFillBackground(false);
        }
    }
    w->setPalette(palette);
}

ui::WindowHandle FormPeer::handle()
{
    return reinterpret_cast<ui::WindowHandle>(static_cast<QWidget*>(m_window.data()));
}

void FormPeer::show()
{
    FormWidget* window = m_window.data();
    if (window == nullptr) return;
    QWidget* top = window->window();
    top->show();
    top->raise();
}

void FormPeer::hide()
{
    if (FormWidget* window = m_window.data(); window != nullptr) window->window()->hide();
    if (QEventLoop* loop = m_modalLoop.data(); loop != nullptr) loop->quit();
}

QWidget* FormPeer::widget(std::string_view controlName) const
{
    const auto it = m_widgets.find(controlName);
    return it == m_widgets.end() ? nullptr : it->second.data();
}

QListWidget* FormPeer::listWidget(const ui::ListBox& list) const { return qobject_cast<QListWidget*>(widget(list.name())); }

void FormPeer::listInserted(const ui::ListBox& list, int index, const std::string& text)
{
    QListWidget* w = listWidget(list);
    if (w == nullptr) return;
    const QScopedValueRollback guard(m_updating, true);
    w->insertItem(index, QString::fromStdString(text));
}

void FormPeer::listCleared(const ui::ListBox& list)
{
    QListWidget* w = listWidget(list);
    if (w == nullptr) return;
    const QScopedValueRollback guard(m_updating, true);
    w->clear();
}

void FormPeer::listSelected(const ui::ListBox& list, int index)
{
    QListWidget* w = listWidget(list);
    if (w == nullptr) return;
    const QScopedValueRollback guard(m_updating, true);
    if (index < 0 || index >= w->count()) {
        w->clearSelection();
        w->setCurrentItem(nullptr);
        return;
    }
    w->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    w->scrollToItem(w->item(index));
}

void FormPeer::textChanged(const ui::Control& control, const std::string& text)
{
    QWidget* w = widget(control.name());
    if (w == nullptr) return;
    const QScopedValueRollback guard(m_updating, true);
    const QString value = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(value);
    else if (auto* box = qobject_cast<QGroupBox*>(w))
        box->setTitle(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(value);
    if (qobject_cast<QLineEdit*>(w) == nullptr)
        setFittedFont(w, toQFont(control.spec().font), value);
}

void FormPeer::beginModal(QEventLoop* loop)
{
    m_modalLoop = loop;
    FormWidget* window = m_window.data();
    if (window == nullptr) return;
    window->setWindowModality(Qt::ApplicationModal);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void FormPeer::endModal(const QEventLoop* loop)
{
    if (m_modalLoop == loop) m_modalLoop = nullptr;
}

bool FormPeer::modalShowing() const
{
    const FormWidget* window = m_window.data();
    return window != nullptr && window->isVisible() && !m_modalLoop.isNull();
}

} // namespace corvane::qt
