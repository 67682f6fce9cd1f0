#include "splashscreen.h"

#include "systemsettings.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

SplashScreen::SplashScreen(const QPixmap& pixmap, const SystemSettings& settings)
    : QSplashScreen(pixmap), m_settings(settings)
{
    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("splashTitleLabel"));
    QFont titleFont = QApplication::font();
    titleFont.setPointSize(10);
    titleFont.setBold(true);
    m_titleLabel->setFont(titleFont);

    m_loadingLabel = new QLabel(this);
    m_loadingLabel->setObjectName(QStringLiteral("splashLoadingLabel"));

    m_progressBar = new QProgressBar(this);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_progressBar->setFixedSize(pixmap.width() - 16, 8);

    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName(QStringLiteral("splashVersionLabel"));
    m_versionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(2);
    layout->addStretch();
    layout->addWidget(m_titleLabel);
    layout->addSpacing(8);
    layout->addWidget(m_loadingLabel);
    layout->addWidget(m_progressBar, 0, Qt::AlignCenter);
    layout->addStretch();
    layout->addWidget(m_versionLabel);

    retranslate();
}

void SplashScreen::setProgress(int percent)
{
    m_progressBar->setValue(qBound(0, percent, 100));
    // Start-up runs before the event loop; without this the bar would only move at the end.
    if (isVisible())
        repaint();
}

int SplashScreen::progress() const
{
    return m_progressBar->value();
}

void SplashScreen::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QSplashScreen::changeEvent(event);
}

void SplashScreen::retranslate()
{
    m_titleLabel->setText(m_settings.title());
    m_loadingLabel->setText(tr("Loading") + QStringLiteral("..."));
    m_versionLabel->setText(tr("PC Version") + QStringLiteral(" : ") +
                            QStringLiteral(KV_PC_VERSION));
}
