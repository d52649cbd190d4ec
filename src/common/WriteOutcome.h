#pragma once

// What a registry save did.
enum class WriteOutcome {
    Saved,
    NameTaken, // another record already has the name; nothing written
    NotFound,  // no record has the code (deleted meanwhile); nothing written
};
