// implemented in a later commit
