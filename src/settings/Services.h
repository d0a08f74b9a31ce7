#pragma once

class Camera;
class Database;
class MessageBoxes;
class SoundPlayer;
class TimeSource;

// The program's seams to the machine, made once at start and never replaced while it runs: the one
// database connection, the time, message boxes, sound and camera.
struct Services {
    Database& database;
    const TimeSource& time;
    MessageBoxes& messages;
    SoundPlayer& sounds;
    Camera& camera;
};
