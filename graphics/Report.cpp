// Filled in by the graphics work under way.
