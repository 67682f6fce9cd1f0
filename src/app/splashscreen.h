#pragma once

#include <QSplashScreen>

class QLabel;
class QProgressBar;
class SystemSettings;

// The start-up splash: the title, a "Loading..." line, a progress bar and the PC version.
class SplashScreen : public QSplashScreen
{
    Q_OBJECT
public:
    SplashScreen(const QPixmap& pixmap, const SystemSettings& settings);

    void setProgress(int percent);
    int progress() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    const SystemSettings& m_settings;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_loadingLabel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_versionLabel = nullptr;
};
