// An image as the document resource manager hands it out: one or more
// frame textures with the seconds each frame is shown.
#pragma once

#include <vector>

#include "scene/resources/texture_record.h"

class TextureSequence {
public:
    TextureSequence() = default;
    // Copies every field and adds a reference to every frame.
    TextureSequence(const TextureSequence& other);
    TextureSequence& operator=(const TextureSequence& other);
    ~TextureSequence();

    const std::vector<IDirect3DTexture9*>& Frames() const { return frames_; }
    // Adds a reference to the frame, which may be null (a picture that
    // could not be loaded keeps its slot).
    void AppendFrame(IDirect3DTexture9* texture);
    void ReleaseFrames();

    // Frame 0 with the sequence's size; without frames a record without
    // texture.
    TextureRecord GetFirstFrame() const;
    // The frame at the current index; null without frames.
    IDirect3DTexture9* CurrentFrame() const;

    // Frame stepping for animated images at application time t (seconds).
    void StepForward(float t);
    void StepBackward(float t);

    std::vector<float> durations;  // seconds per frame
    UINT width = 0;
    UINT height = 0;
    float aspect = 1.0f;
    float lastSwitch = 0.0f;
    UINT current = 0;

private:
    // Whether the current frame's time is up at t; restarts its timing when
    // time went backwards.
    bool SwitchDue(float t);
    // The frames the index runs over: a duration without a frame is never
    // reached.
    UINT StepCount() const;

    std::vector<IDirect3DTexture9*> frames_;
};
