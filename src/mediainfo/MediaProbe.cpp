// Placeholder translation unit until the probe lands.
namespace quillabe {}
