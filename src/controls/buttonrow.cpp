#include "buttonrow.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVariant>

namespace {

constexpr int kTextPadding = 14;

} // namespace

void placeSegments(const QList<QAbstractButton*>& buttons)
{
    int first = -1;
    int last = -1;
    for (int i = 0; i < buttons.size(); ++i) {
        if (!buttons[i]->isHidden()) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    for (int i = 0; i < buttons.size(); ++i) {
        QAbstractButton* b = buttons[i];
        const char* position = i == first ? "first" : i == last ? "last" : "middle";
        b->setProperty("horizontalButtonPosition", QString::fromLatin1(position));
        b->style()->unpolish(b);
        b->style()->polish(b);
        b->update();
    }
}

ButtonRow::ButtonRow(int count, QWidget* parent) : QWidget(parent), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int id = 0; id < count; ++id) {
        auto* b = new QPushButton(this);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        m_group->addButton(b, id);
        layout->addWidget(b, 1);
    }
    if (count > 0)
        m_group->button(0)->setChecked(true);
    placeSegments(m_group->buttons());
    connect(m_group, &QButtonGroup::idClicked, this, &ButtonRow::idClicked);
}

int ButtonRow::count() const
{
    return int(m_group->buttons().size());
}

QPushButton* ButtonRow::button(int id) const
{
    return qobject_cast<QPushButton*>(m_group->button(id));
}

int ButtonRow::checkedId() const
{
    return m_group->checkedId();
}

void ButtonRow::setChecked(int id)
{
    if (QAbstractButton* b = m_group->button(id))
        b->setChecked(true);
}

void ButtonRow::setTexts(const QStringList& texts)
{
    for (int id = 0; id < texts.size() && id < count(); ++id) {
        QAbstractButton* b = m_group->button(id);
        b->setText(texts[id]);
        // A segment is never narrower than its text, whatever room the row is given.
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(texts[id]) + kTextPadding);
    }
}
