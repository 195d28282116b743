// Placeholder for a subsystem library that has no core sources yet.
