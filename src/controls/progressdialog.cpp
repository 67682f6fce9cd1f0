#include "progressdialog.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

ProgressDialog::ProgressDialog(QWidget* parent)
    : QProgressDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowCloseButtonHint)
{
    setWindowModality(Qt::WindowModal);
    setAutoClose(false);
    setAutoReset(false);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    setBar(m_bar);
    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setWordWrap(true);
    // Some styles put the label against the top edge.
    m_label->setContentsMargins(4, 6, 4, 0);
    setLabel(m_label);
    m_cancel = new QPushButton(this);
    m_cancel->setMinimumWidth(kCancelMinimumWidth);
    setCancelButton(m_cancel);
    // Cancelled from the start: the built-in timer would otherwise show the window.
    cancel();
    ProgressDialog::retranslate();
}

void ProgressDialog::retranslate()
{
    m_cancel->setText(tr("Cancel"));
}

void ProgressDialog::placeCancelButton()
{
    const QSize size = m_cancel->sizeHint().expandedTo(m_cancel->minimumSize());
    m_cancel->setGeometry(width() - kCancelMargin - size.width(),
                          height() - kCancelMargin - size.height(), size.width(), size.height());
}

void ProgressDialog::resizeEvent(QResizeEvent* event)
{
    QProgressDialog::resizeEvent(event);
    placeCancelButton();
}

void ProgressDialog::changeEvent(QEvent* event)
{
    QProgressDialog::changeEvent(event);
    switch (event->type()) {
    case QEvent::LanguageChange:
        retranslate();
        break;
    case QEvent::StyleChange:
    case QEvent::FontChange:
        // The base lays its children out again, the cancel button included.
        placeCancelButton();
        break;
    default:
        break;
    }
}
