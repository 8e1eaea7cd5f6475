#include <stdio.h>
#include <stdlib.h>

int main(int argc, char *argv[])
{
    printf("Привет, мир!\n");
    return EXIT_SUCCESS;
}
