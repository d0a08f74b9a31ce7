#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class ProgramPaths;

// The program's own confirmation sounds, made in code as 16-bit mono PCM wave files.
namespace ToneWaves {
constexpr int sampleRate = 22050;

struct Tone {
    double frequency = 0; // Hz
    int milliseconds = 0;
    bool square = false; // a harsh buzz instead of a clean note
};

// A wave file of the tones one after another, each with a short fade in and out against clicks.
QByteArray wave(const QList<Tone>& tones, double volume = 0.6);

QByteArray inSound();    // a rising two-note chime
QByteArray outSound();   // the same notes falling
QByteArray errorSound(); // a low buzz

// Writes In.Wav, Out.Wav and Error.Wav into the program folder where no file of that name (in any
// letter case) exists, so a station always has sounds but keeps the ones a user put there.
// Returns the names written; a folder that cannot be written to is left alone.
QStringList writeMissing(const ProgramPaths& paths);
} // namespace ToneWaves
