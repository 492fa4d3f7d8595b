// Anchor for the precompiled header shared by every test executable.
