#pragma once

#include <QSplashScreen>

class QLabel;
class QProgressBar;

// The start-up splash: the title, a "Loading..." line, a progress bar and the PC version.
// The first one constructed is the global splash, through which the windows that are built
// during start-up report their progress.
class SplashScreen : public QSplashScreen
{
    Q_OBJECT
public:
    explicit SplashScreen(const QPixmap& pixmap);
    ~SplashScreen() override;

    // The global splash; null when none is alive.
    static SplashScreen* instance();
    // Sets the progress of the global splash, if there is one.
    static void reportProgress(int percent);

    void setProgress(int percent);
    int progress() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QLabel* m_titleLabel = nullptr;
    QLabel* m_loadingLabel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_versionLabel = nullptr;
};
