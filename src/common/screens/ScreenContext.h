#pragma once

class AppHome;
class Connections;
class MessageBoxes;
class Session;
class Settings;

// What every screen works with, handed down from the start-up instead of shared variables.
struct ScreenContext {
    MessageBoxes& messages;
    Connections& connections;
    Settings& settings;
    Session& session;
    const AppHome& home;
};
