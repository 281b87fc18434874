// Placeholder translation unit until the settings store lands.
namespace quillex {
int appVersionMajor() {
    return 2;
}
} // namespace quillex
