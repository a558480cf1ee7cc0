// The application library; its units are added beside this file.
