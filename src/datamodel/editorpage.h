#pragma once

#include "wire/codes.h"

// The pages of the processing page, in the order of its buttons. The visible page and its
// channel decide which block the periodic refresh reads.
enum class EditorPage : int
{
    InputSetup,
    Feedback,
    Agc,
    Gate,
    InputFilter,
    InputLimiter,
    Matrix,
    SignalGenerator,
    EchoCancellation,
    AutoMixer,
    OutputFilter,
    OutputLimiter,
    OutputDelay,
};
constexpr int kEditorPageCount = 13;

// The block a page edits: its edits hold back the page's refresh.
constexpr wire::Group pageGroup(EditorPage page)
{
    switch (page) {
    case EditorPage::InputSetup:
        return wire::group::InputSetup;
    case EditorPage::Feedback:
        return wire::group::Feedback;
    case EditorPage::Agc:
        return wire::group::Agc;
    case EditorPage::Gate:
        return wire::group::Gate;
    case EditorPage::InputFilter:
        return wire::group::InputFilter;
    case EditorPage::InputLimiter:
        return wire::group::InputLimiter;
    case EditorPage::Matrix:
        return wire::group::Matrix;
    case EditorPage::SignalGenerator:
        return wire::group::Generator;
    case EditorPage::EchoCancellation:
        return wire::group::EchoCancellation;
    case EditorPage::AutoMixer:
        return wire::group::AutoMixer;
    case EditorPage::OutputFilter:
        return wire::group::OutputFilter;
    case EditorPage::OutputLimiter:
        return wire::group::OutputLimiter;
    case EditorPage::OutputDelay:
        return wire::group::OutputDelay;
    }
    return {};
}
