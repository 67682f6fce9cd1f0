#include "mixbutton.h"

#include "controlaccessible.h"

#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The colours of a cell in one appearance. The selection is amber so that it stays apart from
// the blue of a crosspoint that is on.
struct CellColours
{
    QColor offTop, offBottom, offBorder, offText;
    QColor onTop, onBottom, onBorder, onText;
    QColor selection, hoverLift, knobShade;
};

const CellColours& coloursFor(bool dark)
{
    static const CellColours darkColours{
        QColor(0x3A, 0x3C, 0x41),  QColor(0x32, 0x34, 0x38), QColor(0x47, 0x4A, 0x50),
        QColor(0x8E, 0x92, 0x99),  QColor(0x3D, 0x8E, 0xF2), QColor(0x27, 0x6F, 0xD1),
        QColor(0x52, 0x9B, 0xF3),  QColor(0xFF, 0xFF, 0xFF), QColor(0xF0, 0xA8, 0x3C),
        QColor(255, 255, 255, 22), QColor(0, 0, 0, 60)};
    static const CellColours lightColours{
        QColor(0xFF, 0xFF, 0xFF),  QColor(0xF1, 0xF2, 0xF4), QColor(0xC9, 0xCD, 0xD3),
        QColor(0x74, 0x78, 0x80),  QColor(0x45, 0x93, 0xF2), QColor(0x2A, 0x76, 0xDA),
        QColor(0x24, 0x68, 0xC4),  QColor(0xFF, 0xFF, 0xFF), QColor(0xE0, 0x8A, 0x00),
        QColor(255, 255, 255, 90), QColor(0, 0, 0, 60)};
    return dark ? darkColours : lightColours;
}

constexpr qreal kRadius = 2.5;
constexpr int kOutline = 2;

} // namespace

MixButton::MixButton(QWidget* parent)
    : QAbstractButton(parent), m_palette(ControlPalette::forAppearance(false))
{
    setCheckable(true);
    // The keyboard reaches every cell; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    updateTextFonts();
}

QString MixButton::valueText() const
{
    return tr("%1 dB").arg(m_gain);
}

namespace {

// The move a navigation key asks for; false for other keys.
bool moveFor(const QKeyEvent* event, MatrixSelection::Move* move)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        *move = MatrixSelection::MoveLeft;
        return true;
    case Qt::Key_Right:
        *move = MatrixSelection::MoveRight;
        return true;
    case Qt::Key_Up:
        *move = MatrixSelection::MoveUp;
        return true;
    case Qt::Key_Down:
        *move = MatrixSelection::MoveDown;
        return true;
    case Qt::Key_Home:
        *move = control ? MatrixSelection::GridStart : MatrixSelection::RowStart;
        return true;
    case Qt::Key_End:
        *move = control ? MatrixSelection::GridEnd : MatrixSelection::RowEnd;
        return true;
    case Qt::Key_PageUp:
        *move = MatrixSelection::ColumnStart;
        return true;
    case Qt::Key_PageDown:
        *move = MatrixSelection::ColumnEnd;
        return true;
    default:
        return false;
    }
}

} // namespace

void MixButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (m_selected) {
            setChecked(!isChecked());
            emit clicked(isChecked());
        } else {
            emit selected();
        }
        return;
    default:
        break;
    }
    MatrixSelection::Move move;
    if (moveFor(event, &move)) {
        event->accept();
        emit moveRequested(int(move), event->modifiers() & Qt::ShiftModifier);
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void MixButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (!m_selected && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
        emit selected();
}

void MixButton::setGain(int dB)
{
    if (dB == m_gain)
        return;
    m_gain = dB;
    if (!m_knobView)
        update();
    ControlAccessible::notifyValueChanged(this);
}

void MixButton::setSelection(bool selected, int edges)
{
    if (!selected)
        edges = 0;
    if (selected == m_selected && edges == m_edges)
        return;
    m_selected = selected;
    m_edges = edges;
    update();
}

void MixButton::setKnobView(bool on)
{
    if (on == m_knobView)
        return;
    m_knobView = on;
    update();
}

void MixButton::setDark(bool dark)
{
    if (dark == m_palette.dark)
        return;
    m_palette = ControlPalette::forAppearance(dark);
    update();
}

QSize MixButton::sizeHint() const
{
    return QSize(52, 24);
}

QSize MixButton::minimumSizeHint() const
{
    return QSize(28, 16);
}

// The image of a cell without its text: body, border, hover or press shade and, in the knob
// view, the lamp. Drawn once per look and size, then only copied: a full grid repaints 272.
QPixmap MixButton::cellImage(const Look& look)
{
    static QHash<quint64, QPixmap> cache;
    const quint64 key = quint64(look.size.width() & 0xFFF) |
                        quint64(look.size.height() & 0xFFF) << 12 | quint64(look.flags) << 24 |
                        quint64(qRound(look.ratio * 100.0)) << 32;
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    // Window resizes give new sizes; a handful of looks per size is all a grid shows.
    if (cache.size() > 256)
        cache.clear();

    const bool dark = look.flags & Look::Dark;
    const bool on = look.flags & Look::On;
    const bool knobView = look.flags & Look::KnobView;
    const CellColours& c = coloursFor(dark);
    QPixmap image(look.size * look.ratio);
    image.setDevicePixelRatio(look.ratio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A gap of one pixel on each side lets the table show through as the grid.
    const QRectF body = QRectF(QPointF(0, 0), QSizeF(look.size)).adjusted(1.5, 1.5, -1.5, -1.5);
    QColor top = on ? c.onTop : c.offTop;
    QColor bottom = on ? c.onBottom : c.offBottom;
    if (look.flags & Look::Selected) {
        // Inside the selection a cell warms towards the outline's amber (a lit one brightens).
        const QColor towards = on ? QColor(Qt::white) : c.selection;
        const double share = on ? 0.16 : (dark ? 0.20 : 0.16);
        top = ControlPalette::mix(top, towards, share);
        bottom = ControlPalette::mix(bottom, towards, share);
    }
    if (knobView) {
        // Under the knob the cell is a darker well; a crosspoint that is on keeps a blue tint,
        // quiet enough for the knob's own blue arc to stand out.
        if (on) {
            const QColor well = dark ? c.offBottom : QColor(Qt::white);
            top = ControlPalette::mix(top, well, 0.45);
            bottom = ControlPalette::mix(bottom, well, 0.45);
        }
        top = ControlPalette::mix(top, Qt::black, c.knobShade.alphaF());
        bottom = ControlPalette::mix(bottom, Qt::black, c.knobShade.alphaF());
    }
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    p.setPen(QPen(on ? c.onBorder : c.offBorder, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(body, kRadius, kRadius);

    if (look.flags & (Look::Down | Look::Hover)) {
        p.setPen(Qt::NoPen);
        p.setBrush(look.flags & Look::Down ? QColor(0, 0, 0, 40) : c.hoverLift);
        p.drawRoundedRect(body, kRadius, kRadius);
    }

    if (knobView) {
        // The knob covers the middle; a lamp in the corner tells whether the crosspoint is on.
        const QPointF lamp(body.left() + 5.0, body.top() + 5.0);
        p.setPen(Qt::NoPen);
        if (on) {
            QColor glow = c.onTop;
            glow.setAlpha(90);
            p.setBrush(glow);
            p.drawEllipse(lamp, 4.0, 4.0);
        }
        p.setBrush(on ? c.onTop.lighter(125) : c.offBorder);
        p.drawEllipse(lamp, 2.4, 2.4);
    }
    p.end();
    cache.insert(key, image);
    return image;
}

void MixButton::paintEvent(QPaintEvent*)
{
    const CellColours& c = coloursFor(m_palette.dark);
    const bool on = isChecked();
    Look look;
    look.size = size();
    look.ratio = devicePixelRatioF();
    look.flags = (m_palette.dark ? Look::Dark : 0) | (on ? Look::On : 0) |
                 (m_selected ? Look::Selected : 0) | (m_knobView ? Look::KnobView : 0);
    if (isDown())
        look.flags |= Look::Down;
    else if (underMouse() && isEnabled())
        look.flags |= Look::Hover;
    QPainter p(this);
    p.drawPixmap(0, 0, cellImage(look));

    if (!m_knobView) {
        const QStaticText& text = gainText(m_gain, on);
        p.setFont(on ? m_boldFont : m_textFont);
        p.setPen(on ? c.onText : c.offText);
        const QSizeF extent = text.size();
        p.drawStaticText(
            QPointF((width() - extent.width()) / 2.0, (height() - extent.height()) / 2.0), text);
    }

    // The selection's outline, drawn over the gaps so that neighbouring cells join up.
    if (m_edges) {
        const QRect r = rect();
        if (m_edges & MatrixSelection::LeftEdge)
            p.fillRect(QRect(r.left(), r.top(), kOutline, r.height()), c.selection);
        if (m_edges & MatrixSelection::RightEdge)
            p.fillRect(QRect(r.right() - kOutline + 1, r.top(), kOutline, r.height()), c.selection);
        if (m_edges & MatrixSelection::TopEdge)
            p.fillRect(QRect(r.left(), r.top(), r.width(), kOutline), c.selection);
        if (m_edges & MatrixSelection::BottomEdge)
            p.fillRect(QRect(r.left(), r.bottom() - kOutline + 1, r.width(), kOutline),
                       c.selection);
    }
    if (hasFocus()) {
        // A solid ring inside the selection's outline: the focus colour on a cell that is off,
        // white on the blue of one that is on, where the focus colour would vanish.
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(on ? c.onText : m_palette.focus, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(kOutline + 1.0, kOutline + 1.0, -kOutline - 1.0,
                                                  -kOutline - 1.0),
                          kRadius, kRadius);
    }
}

void MixButton::updateTextFonts()
{
    m_textFont = font();
    m_textFont.setPointSizeF(8.0);
    m_boldFont = m_textFont;
    m_boldFont.setBold(true);
    m_fontKey = m_textFont.key();
}

// Gains are few (-100 and -55..+12): each text is laid out once per face and shared by every
// cell, so that a reload of the grid lays out nothing.
const QStaticText& MixButton::gainText(int dB, bool bold) const
{
    static QString cachedFont;
    static QHash<int, QStaticText> texts;
    if (cachedFont != m_fontKey) {
        texts.clear();
        cachedFont = m_fontKey;
    }
    const int key = dB * 2 + (bold ? 1 : 0);
    auto found = texts.find(key);
    if (found == texts.end()) {
        QStaticText text(QString::number(dB));
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), bold ? m_boldFont : m_textFont);
        found = texts.insert(key, text);
    }
    return *found;
}

void MixButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateTextFonts();
    QAbstractButton::changeEvent(event);
}

MixButton* MixButton::cellAt(const QPoint& globalPosition) const
{
    QWidget* top = window();
    QWidget* under = top->childAt(top->mapFromGlobal(globalPosition));
    auto* cell = qobject_cast<MixButton*>(under);
    // Only cells of the same grid take part in a gesture.
    if (!cell || cell->parentWidget() == nullptr || parentWidget() == nullptr ||
        cell->parentWidget()->parentWidget() != parentWidget()->parentWidget())
        return nullptr;
    return cell;
}

void MixButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    m_pressed = true;
    m_over = this;
    setDown(true);
    emit pressed();
}

void MixButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed) {
        event->ignore();
        return;
    }
    event->accept();
    setDown(rect().contains(event->pos()));
    MixButton* cell = cellAt(mapToGlobal(event->pos()));
    if (cell && cell != m_over) {
        m_over = cell;
        emit cell->entered();
    }
}

void MixButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressed || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    m_pressed = false;
    m_over = nullptr;
    setDown(false);
    emit released();
    if (!rect().contains(event->pos()))
        return;
    if (!m_selected) {
        emit selected();
        return;
    }
    setChecked(!isChecked());
    emit clicked(isChecked());
}
