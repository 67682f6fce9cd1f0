#pragma once

#include "editorwindow.h"
#include "labeledits.h"

#include <QVector>

class QGroupBox;
class QLabel;
class QLineEdit;

// The channels' labels and the inputs' touch-screen labels, one edit per channel. A label is
// stored and sent when its edit is finished, or refused whole with a message when it takes more
// bytes than the unit keeps.
class LabelDialog : public EditorWindow
{
    Q_OBJECT
public:
    LabelDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);
    ~LabelDialog() override;

    QLineEdit* edit(LabelEdits::Kind kind, int channel) const;

signals:
    void inputLabelChanged(uchar channel);
    void outputLabelChanged(uchar channel);

public slots:
    void inputEditEditingFinished();
    void tsInputEditEditingFinished();
    void outputEditEditingFinished();

protected:
    void retranslate() override;
    void applyProfile() override;

private:
    struct Box
    {
        QGroupBox* group = nullptr;
        QVector<QLabel*> names;
        QVector<QLineEdit*> edits;
    };

    void buildBox(Box& box, LabelEdits::Kind kind, void (LabelDialog::*onFinished)());
    Box& box(LabelEdits::Kind kind);
    const Box& box(LabelEdits::Kind kind) const;
    void finishEdit(LabelEdits::Kind kind);
    void refresh(LabelEdits::Kind kind, int channel);
    void refreshNames();

    LabelEdits m_edits;
    Box m_inputs;
    Box m_outputs;
    Box m_touch;
    bool m_finishing = false;
};
