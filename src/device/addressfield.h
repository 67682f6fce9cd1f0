#pragma once

#include <QString>
#include <QtGlobal>

class QGridLayout;
class QLineEdit;
class QObject;
class QPushButton;
class QRegularExpressionValidator;
class QWidget;

// Dotted IPv4 entry shared by the add and network dialogs.
namespace AddressField {

// A unicast address: the first number 0 to 223, the others 0 to 255.
extern const char* const kUnicastPattern;
// Four numbers 0 to 255 (subnet masks).
extern const char* const kOctetPattern;

QRegularExpressionValidator* unicastValidator(QObject* parent);
QRegularExpressionValidator* octetValidator(QObject* parent);

// The field's address when its validator takes the whole text as complete; false otherwise
// (empty, unfinished or out of range).
bool parse(const QLineEdit* field, quint32* address);

// A subnet mask: ones from the top, then only zeros, and at least one one.
bool isSubnetMask(quint32 mask);

QString dotted(quint32 address);

// The "OK" and "Cancel" row at the foot of the address dialogs, spanning `grid`'s two columns.
void addButtonRow(QGridLayout* grid, int row, QWidget* parent, QPushButton** ok,
                  QPushButton** cancel);

} // namespace AddressField
