// quillex: the command-line front end.
int main() {
    return 0;
}
