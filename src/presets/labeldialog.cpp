#include "labeldialog.h"

#include "datamodel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

using Kind = LabelEdits::Kind;

namespace {

constexpr int kEditHeight = 25;
// Outputs 0..7 exist in every configuration.
constexpr int kAlwaysShownOutputs = 8;

QString tooLongText(Kind kind)
{
    switch (kind) {
    case Kind::Input:
        return LabelDialog::tr(
            "The input label's length can not be greater than 16 bytes, please enter again!");
    case Kind::Output:
        return LabelDialog::tr(
            "The output label's length can not be greater than 16 bytes, please enter again!");
    case Kind::TouchScreen:
        return LabelDialog::tr("The touch screen label's length can not be greater than 10 "
                               "bytes, please enter again!");
    }
    return {};
}

} // namespace

LabelDialog::LabelDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("LabelGeometry"), parent), m_edits(model)
{
    setObjectName(QStringLiteral("labelDialog"));
    setRefreshFlag(Refresher::Labels);
    if (!geometryRestored())
        resize(600, 580);
    buildBox(m_inputs, Kind::Input, &LabelDialog::inputEditEditingFinished);
    buildBox(m_outputs, Kind::Output, &LabelDialog::outputEditEditingFinished);
    buildBox(m_touch, Kind::TouchScreen, &LabelDialog::tsInputEditEditingFinished);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    for (Box* b : {&m_inputs, &m_outputs, &m_touch})
        layout->addWidget(b->group, 1);

    const auto follow = [this](Kind kind) {
        return [this, kind](const ReportRouter::Event& e) {
            if (e.channel == 255) {
                for (int ch = 0; ch < LabelEdits::channelCount(kind); ++ch)
                    refresh(kind, ch);
            } else {
                refresh(kind, e.channel);
            }
        };
    };
    subscribe(wire::code::InputLabels, follow(Kind::Input));
    subscribe(wire::code::OutputLabels, follow(Kind::Output));
    subscribe(wire::code::SecondaryLabels, follow(Kind::TouchScreen));
    refreshNames();
    retranslate();
}

void LabelDialog::buildBox(Box& b, Kind kind, void (LabelDialog::*onFinished)())
{
    b.group = new QGroupBox(this);
    auto* grid = new QGridLayout(b.group);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setSpacing(8);
    grid->setColumnStretch(1, 1);
    for (int ch = 0; ch < LabelEdits::channelCount(kind); ++ch) {
        auto* name = new QLabel(b.group);
        auto* edit = new QLineEdit(b.group);
        edit->setObjectName(QString::number(ch));
        edit->setFixedHeight(kEditHeight);
        edit->setText(m_edits.text(kind, ch));
        connect(edit, &QLineEdit::editingFinished, this, onFinished);
        grid->addWidget(name, ch, 0);
        grid->addWidget(edit, ch, 1);
        b.names << name;
        b.edits << edit;
    }
    grid->setRowStretch(LabelEdits::channelCount(kind), 1);
}

LabelDialog::Box& LabelDialog::box(Kind kind)
{
    return kind == Kind::Input ? m_inputs : kind == Kind::Output ? m_outputs : m_touch;
}

const LabelDialog::Box& LabelDialog::box(Kind kind) const
{
    return kind == Kind::Input ? m_inputs : kind == Kind::Output ? m_outputs : m_touch;
}

QLineEdit* LabelDialog::edit(Kind kind, int channel) const
{
    return box(kind).edits.value(channel);
}

void LabelDialog::retranslate()
{
    setWindowTitle(tr("Label"));
    m_inputs.group->setTitle(tr("Input Label"));
    m_outputs.group->setTitle(tr("Output Label"));
    m_touch.group->setTitle(tr("Touch Screen Label"));
}

void LabelDialog::inputEditEditingFinished()
{
    finishEdit(Kind::Input);
}

void LabelDialog::outputEditEditingFinished()
{
    finishEdit(Kind::Output);
}

void LabelDialog::tsInputEditEditingFinished()
{
    finishEdit(Kind::TouchScreen);
}

void LabelDialog::finishEdit(Kind kind)
{
    auto* edit = qobject_cast<QLineEdit*>(sender());
    if (m_finishing || !edit)
        return;
    bool ok = false;
    const int channel = edit->objectName().toInt(&ok);
    if (!ok)
        return;
    // Leaving the edit by focus must not finish it a second time.
    m_finishing = true;
    edit->clearFocus();
    m_finishing = false;
    const QString text = edit->text();
    if (text.trimmed() == m_edits.text(kind, channel)) {
        edit->setText(text.trimmed());
        return;
    }
    if (!m_edits.set(kind, channel, text)) {
        // The unit still has the old label, and so does the edit.
        refresh(kind, channel);
        auto* box = new QMessageBox(QMessageBox::Information, tr("Label"), tooLongText(kind),
                                    QMessageBox::NoButton, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->addButton(tr("OK"), QMessageBox::AcceptRole);
        box->open();
        return;
    }
    if (kind == Kind::Input)
        emit inputLabelChanged(uchar(channel));
    else if (kind == Kind::Output)
        emit outputLabelChanged(uchar(channel));
}

void LabelDialog::refresh(Kind kind, int channel)
{
    if (QLineEdit* e = edit(kind, channel))
        e->setText(m_edits.text(kind, channel));
}

void LabelDialog::refreshNames()
{
    for (int ch = 0; ch < m_inputs.names.size(); ++ch) {
        const QString name = model::withoutLineBreaks(model().input(ch).defaultName);
        m_inputs.names[ch]->setText(name);
        m_touch.names[ch]->setText(name);
    }
    for (int ch = 0; ch < m_outputs.names.size(); ++ch)
        m_outputs.names[ch]->setText(model::withoutLineBreaks(model().output(ch).defaultName));
}

void LabelDialog::applyProfile()
{
    const auto hidden = [](quint32 mask, int ch) { return ch < 32 && ((mask >> ch) & 1u); };
    for (int ch = 0; ch < m_inputs.edits.size(); ++ch) {
        const bool show = !hidden(profile().hiddenInputs, ch);
        for (Box* b : {&m_inputs, &m_touch}) {
            b->names[ch]->setVisible(show);
            b->edits[ch]->setVisible(show);
        }
    }
    for (int ch = kAlwaysShownOutputs; ch < m_outputs.edits.size(); ++ch) {
        const bool show = !hidden(profile().hiddenOutputs, ch);
        m_outputs.names[ch]->setVisible(show);
        m_outputs.edits[ch]->setVisible(show);
    }
    // The model names its channels after the profile.
    refreshNames();
    for (Kind kind : {Kind::Input, Kind::Output, Kind::TouchScreen}) {
        for (int ch = 0; ch < LabelEdits::channelCount(kind); ++ch)
            refresh(kind, ch);
    }
}

LabelDialog::~LabelDialog()
{
    detachLineEdits(this);
}
