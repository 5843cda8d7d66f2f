// Placeholder translation unit until the argument builder lands.
namespace quillabe {}
