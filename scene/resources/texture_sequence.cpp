#include "scene/resources/texture_sequence.h"

#include <algorithm>

TextureSequence::TextureSequence(const TextureSequence& other) {
    *this = other;
}

TextureSequence& TextureSequence::operator=(const TextureSequence& other) {
    if (this != &other) {
        ReleaseFrames();
        for (IDirect3DTexture9* frame : other.frames_) {
            AppendFrame(frame);
        }
        durations = other.durations;
        width = other.width;
        height = other.height;
        aspect = other.aspect;
        lastSwitch = other.lastSwitch;
        current = other.current;
    }
    return *this;
}

TextureSequence::~TextureSequence() {
    ReleaseFrames();
}

void TextureSequence::AppendFrame(IDirect3DTexture9* texture) {
    if (texture != nullptr) {
        texture->AddRef();
    }
    frames_.push_back(texture);
}

void TextureSequence::ReleaseFrames() {
    for (IDirect3DTexture9* frame : frames_) {
        if (frame != nullptr) {
            frame->Release();
        }
    }
    frames_.clear();
}

TextureRecord TextureSequence::GetFirstFrame() const {
    if (frames_.empty()) {
        return {};
    }
    return TextureRecord(frames_.front(), width, height, aspect);
}

IDirect3DTexture9* TextureSequence::CurrentFrame() const {
    return current < frames_.size() ? frames_[current] : nullptr;
}

void TextureSequence::StepForward(float t) {
    if (SwitchDue(t)) {
        current = (current + 1) % StepCount();
    }
}

void TextureSequence::StepBackward(float t) {
    if (SwitchDue(t)) {
        current = (current == 0 ? StepCount() : current) - 1;
    }
}

bool TextureSequence::SwitchDue(float t) {
    if (t - lastSwitch < 0.0f) {
        lastSwitch = t;
    }
    if (StepCount() == 0) {
        return false;
    }
    if (current >= StepCount()) {
        current = 0;
    }
    if (!(durations[current] < t - lastSwitch)) {
        return false;
    }
    lastSwitch = t;
    return true;
}

UINT TextureSequence::StepCount() const {
    return static_cast<UINT>(std::min(durations.size(), frames_.size()));
}
