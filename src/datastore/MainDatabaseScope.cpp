#include "datastore/MainDatabaseScope.h"

#include "datastore/AppState.h"

MainDatabaseScope::MainDatabaseScope()
{
    OpenMainDatabase();
}

MainDatabaseScope::~MainDatabaseScope()
{
    ReleaseMainDatabase();
}
