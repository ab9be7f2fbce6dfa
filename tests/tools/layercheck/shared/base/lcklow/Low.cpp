// The lower library of the layer check's fixture.
int Low() {
    return 1;
}
