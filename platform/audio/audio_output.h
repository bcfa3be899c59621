// Where the mix goes: one SDL audio device, opened on first use by a
// helper thread of normal priority (threads inherit their creator's nice
// value, and the host lowers its own thread to idle). When no device can
// be opened, the helper pulls the mix at the pace of real time, so that
// playback still advances and ends.
#pragma once

namespace platform::audio {

// Starts the helper thread if it does not run yet; called before the
// calling thread lowers its priority.
void StartAudioHelper();
// Asks the helper to open the output, unless tests pull the mix.
void EnsureAudioOutput();
// Tests: closes the output and never opens it again; the mix is pulled
// only through MixVoices.
void UseManualAudioPull();
// Closes the output and ends the helper; waits a bounded time, so that a
// stuck device cannot hold up the end of the process. Safe to call twice.
void EndAudioOutput();

}  // namespace platform::audio
