#pragma once

#include <QList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QPushButton;

// Marks buttons standing side by side as one segmented control: the first and the last shown
// button get the rounded outer ends (the style sheets read horizontalButtonPosition).
void placeSegments(const QList<QAbstractButton*>& buttons);

// An exclusive row of checkable buttons drawn as one segmented control; a button's id is its
// position. The first button starts checked.
class ButtonRow : public QWidget
{
    Q_OBJECT
public:
    explicit ButtonRow(int count, QWidget* parent = nullptr);

    int count() const;
    QPushButton* button(int id) const;
    int checkedId() const;
    // Checks a button without emitting idClicked; ids outside the row are ignored.
    void setChecked(int id);
    void setTexts(const QStringList& texts);

signals:
    void idClicked(int id);

private:
    QButtonGroup* m_group;
};
