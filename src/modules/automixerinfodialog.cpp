#include "automixerinfodialog.h"

#include <QLabel>
#include <QVBoxLayout>

AutoMixerInfoDialog::AutoMixerInfoDialog(QWidget* parent)
    : Dialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_heading(new QLabel(this)), m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("autoMixerInfoDialog"));
    m_heading->setObjectName(QStringLiteral("instructionsHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_text->setObjectName(QStringLiteral("instructionsText"));
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(640);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(m_heading);
    layout->addWidget(m_text);
    retranslate();
}

QString AutoMixerInfoDialog::instructions()
{
    const QStringList lines{
        tr("1. Features two independent automix groups."),
        tr("2. Select the AM1 or AM2 button to assign the channel to the automix group 1 or 2."),
        tr("3. Use the fader to modify the priority of the volume assigned to the channel."),
        QStringLiteral("    ") + tr("In general, which channel's voice is important, its weight is "
                                    "assigned more. Normally, the default is 0."),
        tr("4. Click the \"%1\" button to enable or disable automix group X.")
            .arg(tr("AM X Enabled")),
        tr("5. The upper and lower meters indicate the attenuation and the level after "
           "attenuation."),
    };
    return lines.join(QLatin1Char('\n'));
}

void AutoMixerInfoDialog::retranslate()
{
    setWindowTitle(tr("Instructions"));
    m_heading->setText(tr("Instructions for using automix"));
    m_text->setText(instructions());
}
