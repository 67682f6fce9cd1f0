#include "addressfield.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStringList>

namespace AddressField {

const char* const kUnicastPattern =
    R"((\d{1,2}|1\d\d|2[0-1]\d|22[0-3])\.(\d{1,2}|1\d\d|2[0-4]\d|25[0-5])\.)"
    R"((\d{1,2}|1\d\d|2[0-4]\d|25[0-5])\.(\d{1,2}|1\d\d|2[0-4]\d|25[0-5]))";
const char* const kOctetPattern =
    R"((\d{1,2}|1\d\d|2[0-4]\d|25[0-5])\.(\d{1,2}|1\d\d|2[0-4]\d|25[0-5])\.)"
    R"((\d{1,2}|1\d\d|2[0-4]\d|25[0-5])\.(\d{1,2}|1\d\d|2[0-4]\d|25[0-5]))";

namespace {
QRegularExpressionValidator* validator(const char* pattern, QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)),
                                           parent);
}
} // namespace

QRegularExpressionValidator* unicastValidator(QObject* parent)
{
    return validator(kUnicastPattern, parent);
}

QRegularExpressionValidator* octetValidator(QObject* parent)
{
    return validator(kOctetPattern, parent);
}

bool parse(const QLineEdit* field, quint32* address)
{
    QString text = field->text();
    if (const QValidator* v = field->validator()) {
        int position = 0;
        if (v->validate(text, position) != QValidator::Acceptable)
            return false;
    }
    // Decimal numbers only: a leading zero does not make a number octal here.
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 value = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const uint number = part.toUInt(&ok, 10);
        if (!ok || number > 255)
            return false;
        value = (value << 8) | number;
    }
    *address = value;
    return true;
}

bool isSubnetMask(quint32 mask)
{
    if (mask == 0)
        return false;
    const quint32 hosts = ~mask;
    return (hosts & (hosts + 1)) == 0;
}

QString dotted(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

void addButtonRow(QGridLayout* grid, int row, QWidget* parent, QPushButton** ok,
                  QPushButton** cancel)
{
    auto* box = new QDialogButtonBox(parent);
    box->setContentsMargins(0, 8, 0, 0);
    box->setCenterButtons(true);
    *ok = new QPushButton(box);
    *cancel = new QPushButton(box);
    for (QPushButton* button : {*ok, *cancel})
        button->setFixedSize(60, 25);
    box->addButton(*ok, QDialogButtonBox::AcceptRole);
    box->addButton(*cancel, QDialogButtonBox::RejectRole);
    grid->addWidget(box, row, 0, 1, 2);
}

} // namespace AddressField
