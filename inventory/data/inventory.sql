-- Sample database of the inventory application (Inventory.mdb).
-- Built by vbdb_load: the CREATE statements make the tables, the other
-- statements run through the database engine, so dates written in the
-- regional short form are stored as dates. Column orders are those the
-- program reads rows by. The Bak tables are copies of their tables.

CREATE TABLE tblProducts (
  ProductID LONG NOT NULL PRIMARY KEY,
  Composition TEXT(255) COLLATE NOCASE,
  Description LONGTEXT COLLATE NOCASE,
  Composer TEXT(255) COLLATE NOCASE,
  Conductor TEXT(255) COLLATE NOCASE,
  Performer TEXT(255) COLLATE NOCASE,
  Image TEXT(255) COLLATE NOCASE,
  UnitPrice CURRENCY,
  ReorderLevel LONG
);

CREATE TABLE tblSuppliers (
  SupplierID LONG NOT NULL PRIMARY KEY,
  SupplierName TEXT(255) COLLATE NOCASE,
  ContactName TEXT(255) COLLATE NOCASE,
  ContactTitle TEXT(255) COLLATE NOCASE,
  Address TEXT(255) COLLATE NOCASE,
  City TEXT(255) COLLATE NOCASE,
  PostalCode TEXT(255) COLLATE NOCASE,
  StateOrProvince TEXT(255) COLLATE NOCASE,
  PhoneNumber TEXT(255) COLLATE NOCASE,
  FaxNumber TEXT(255) COLLATE NOCASE
);

CREATE TABLE tblTransactions (
  TransactionID LONG NOT NULL PRIMARY KEY,
  TransactionDate DATETIME,
  ProductID LONG,
  PurchaseOrderID LONG,
  TransactionDescription TEXT(255) COLLATE NOCASE,
  UnitPrice CURRENCY,
  UnitsOrdered LONG,
  UnitsReceived LONG,
  UnitsSold LONG,
  UnitsShrinkage LONG
);

CREATE TABLE tblPO (
  PurchaseOrderID LONG NOT NULL PRIMARY KEY,
  PurchaseOrderNumber TEXT(255) COLLATE NOCASE,
  PurchaseOrderDescription TEXT(255) COLLATE NOCASE,
  SupplierID LONG,
  OrderDate DATETIME,
  DateRequired DATETIME,
  DatePromised DATETIME,
  ShipDate DATETIME
);

CREATE TABLE tblStates (
  State TEXT(255) NOT NULL PRIMARY KEY COLLATE NOCASE
);

CREATE TABLE tblProductsBak (
  ProductID LONG NOT NULL PRIMARY KEY,
  Composition TEXT(255) COLLATE NOCASE,
  Description LONGTEXT COLLATE NOCASE,
  Composer TEXT(255) COLLATE NOCASE,
  Conductor TEXT(255) COLLATE NOCASE,
  Performer TEXT(255) COLLATE NOCASE,
  Image TEXT(255) COLLATE NOCASE,
  UnitPrice CURRENCY,
  ReorderLevel LONG
);

CREATE TABLE tblSuppliersBak (
  SupplierID LONG NOT NULL PRIMARY KEY,
  SupplierName TEXT(255) COLLATE NOCASE,
  ContactName TEXT(255) COLLATE NOCASE,
  ContactTitle TEXT(255) COLLATE NOCASE,
  Address TEXT(255) COLLATE NOCASE,
  City TEXT(255) COLLATE NOCASE,
  PostalCode TEXT(255) COLLATE NOCASE,
  StateOrProvince TEXT(255) COLLATE NOCASE,
  PhoneNumber TEXT(255) COLLATE NOCASE,
  FaxNumber TEXT(255) COLLATE NOCASE
);

CREATE TABLE tblTransactionsBak (
  TransactionID LONG NOT NULL PRIMARY KEY,
  TransactionDate DATETIME,
  ProductID LONG,
  PurchaseOrderID LONG,
  TransactionDescription TEXT(255) COLLATE NOCASE,
  UnitPrice CURRENCY,
  UnitsOrdered LONG,
  UnitsReceived LONG,
  UnitsSold LONG,
  UnitsShrinkage LONG
);

CREATE TABLE tblPOBak (
  PurchaseOrderID LONG NOT NULL PRIMARY KEY,
  PurchaseOrderNumber TEXT(255) COLLATE NOCASE,
  PurchaseOrderDescription TEXT(255) COLLATE NOCASE,
  SupplierID LONG,
  OrderDate DATETIME,
  DateRequired DATETIME,
  DatePromised DATETIME,
  ShipDate DATETIME
);

-- Indexes on the columns the program searches by besides the keys: the
-- transactions of a product or of a purchase order, the purchase orders of a
-- supplier. They leave out empty (Null) values, so they serve only reads
-- filtered on their column; reads of a whole table keep their order.
CREATE INDEX tblTransactions_ProductID ON tblTransactions (ProductID) WHERE ProductID IS NOT NULL;
CREATE INDEX tblTransactions_PurchaseOrderID ON tblTransactions (PurchaseOrderID) WHERE PurchaseOrderID IS NOT NULL;
CREATE INDEX tblPO_SupplierID ON tblPO (SupplierID) WHERE SupplierID IS NOT NULL;

-- Products: the recordings of the catalogue, with cost price and reorder level.
INSERT INTO tblProducts VALUES (1, 'Symphony No. 5 in C minor', 'The four famous opening notes and a finale in blazing C major.', 'Beethoven', 'Anton Keller', 'Vienna Festival Orchestra', 'beethoven5.jpg', '9.60', 10);
INSERT INTO tblProducts VALUES (2, 'Symphony No. 9 in D minor', 'The Choral symphony complete, with soloists and chorus.', 'Beethoven', 'Anton Keller', 'Vienna Festival Orchestra and Chorus', 'beethoven9.jpg', '11.40', 8);
INSERT INTO tblProducts VALUES (3, 'Piano Concerto No. 5 Emperor', 'The last and grandest of the piano concertos.', 'Beethoven', 'Martin Brandt', 'Clara Hoffmann, piano; Rhine Chamber Orchestra', 'beethoven_emperor.jpg', '9.00', 6);
INSERT INTO tblProducts VALUES (4, 'Moonlight and Pathetique Sonatas', 'Two of the best loved piano sonatas in one recital.', 'Beethoven', '', 'Clara Hoffmann, piano', 'beethoven_sonatas.jpg', '7.80', 6);
INSERT INTO tblProducts VALUES (5, 'Symphony No. 40 in G minor', 'Restless and elegant, in a minor key.', 'Mozart', 'Elisabeth Maurer', 'Salzburg Court Players', 'mozart40.jpg', '8.40', 8);
INSERT INTO tblProducts VALUES (6, 'Eine kleine Nachtmusik', 'The serenade for strings, with two divertimenti.', 'Mozart', 'Elisabeth Maurer', 'Salzburg Court Players', 'mozart_nachtmusik.jpg', '7.20', 10);
INSERT INTO tblProducts VALUES (7, 'Requiem in D minor', 'The unfinished Requiem in its traditional completion.', 'Mozart', 'Paul Lindner', 'Salzburg Cathedral Choir and Orchestra', 'mozart_requiem.jpg', '10.20', 5);
INSERT INTO tblProducts VALUES (8, 'Brandenburg Concertos 1-6', 'All six concertos on period instruments, two discs.', 'Bach', 'Johann Weber', 'Leipzig Baroque Ensemble', 'bach_brandenburg.jpg', '12.00', 5);
INSERT INTO tblProducts VALUES (9, 'Goldberg Variations', 'The aria and thirty variations on harpsichord.', 'Bach', '', 'Ilse Brenner, harpsichord', 'bach_goldberg.jpg', '8.70', 4);
INSERT INTO tblProducts VALUES (10, 'Mass in B minor', 'A large-scale choral masterpiece.', 'Bach', 'Johann Weber', 'Leipzig Baroque Ensemble and Choir', 'bach_mass.jpg', '13.20', 4);
INSERT INTO tblProducts VALUES (11, 'The Nutcracker Suite', 'The ballet suite with the Waltz of the Flowers.', 'Tchaikovsky', 'Nikolai Petrov', 'Moscow Festival Orchestra', 'tchaikovsky_nutcracker.jpg', '7.80', 12);
INSERT INTO tblProducts VALUES (12, 'Symphony No. 6 Pathetique', 'The last symphony, with its slow and sorrowful finale.', 'Tchaikovsky', 'Nikolai Petrov', 'Moscow Festival Orchestra', 'tchaikovsky6.jpg', '9.60', 6);
INSERT INTO tblProducts VALUES (13, 'Symphony No. 1 in C minor', 'A symphony of great weight and warmth.', 'Brahms', 'Greta Lang', 'Hamburg Philharmonic Society', 'brahms1.jpg', '9.30', 5);
INSERT INTO tblProducts VALUES (14, 'Violin Concerto in D major', 'A lyrical concerto with a lively Hungarian finale.', 'Brahms', 'Greta Lang', 'Sofia Marin, violin; Hamburg Philharmonic Society', 'brahms_violin.jpg', '9.00', 5);
INSERT INTO tblProducts VALUES (15, 'The Four Seasons', 'Four violin concertos painting the seasons of the year.', 'Vivaldi', 'Lucia Romano', 'Venice Chamber Soloists', 'vivaldi_seasons.jpg', '6.90', 12);
INSERT INTO tblProducts VALUES (16, 'Gloria in D major', 'The joyful setting of the Gloria, with two sopranos.', 'Vivaldi', 'Lucia Romano', 'Venice Chamber Soloists and Choir', 'vivaldi_gloria.jpg', '8.10', 6);

-- Suppliers.
INSERT INTO tblSuppliers VALUES (1, 'Allegro Music Distributors', 'Carol Jensen', 'Sales Manager', '1200 Commerce Way', 'Chicago', '60607', 'IL', '(312) 555-0110', '(312) 555-0111');
INSERT INTO tblSuppliers VALUES (2, 'Baroque Records Wholesale', 'Peter Novak', 'Account Representative', '45 Industrial Parkway', 'Newark', '07102', 'NJ', '(973) 555-0120', '(973) 555-0121');
INSERT INTO tblSuppliers VALUES (3, 'Cadenza Sound Supply', 'Maria Lopez', 'Owner', '880 Mission Street', 'San Francisco', '94103', 'CA', '(415) 555-0130', '(415) 555-0131');
INSERT INTO tblSuppliers VALUES (4, 'Concerto Media Group', 'James Whitaker', 'Purchasing Agent', '300 Riverfront Drive', 'Pittsburgh', '15222', 'PA', '(412) 555-0140', '(412) 555-0141');
INSERT INTO tblSuppliers VALUES (5, 'Crescendo Imports', 'Anna Schmidt', 'Import Coordinator', '17 Harbor Boulevard', 'Baltimore', '21202', 'MD', '(410) 555-0150', '(410) 555-0151');
INSERT INTO tblSuppliers VALUES (6, 'Encore Disc Traders', 'Robert Chen', 'Sales Representative', '2420 Sunset Avenue', 'Los Angeles', '90026', 'CA', '(213) 555-0160', '(213) 555-0161');
INSERT INTO tblSuppliers VALUES (7, 'Fermata Audio Inc.', 'Linda Morales', 'Vice President', '610 Congress Avenue', 'Austin', '78701', 'TX', '(512) 555-0170', '(512) 555-0171');
INSERT INTO tblSuppliers VALUES (8, 'Harmonia Distribution', 'Kevin O Brien', 'Account Manager', '95 State Street', 'Albany', '12207', 'NY', '(518) 555-0180', '(518) 555-0181');
INSERT INTO tblSuppliers VALUES (9, 'Largo Classics Supply', 'Emily Foster', 'Sales Manager', '1500 Broadway', 'Nashville', '37203', 'TN', '(615) 555-0190', '(615) 555-0191');
INSERT INTO tblSuppliers VALUES (10, 'Maestro Wholesale', 'Daniel Park', 'Owner', '740 Pike Street', 'Seattle', '98101', 'WA', '(206) 555-0200', '(206) 555-0201');
INSERT INTO tblSuppliers VALUES (11, 'Nocturne Recordings', 'Sarah Goldberg', 'Marketing Manager', '22 Newbury Street', 'Boston', '02116', 'MA', '(617) 555-0210', '(617) 555-0211');
INSERT INTO tblSuppliers VALUES (12, 'Overture Media', 'Michael Grant', 'Purchasing Manager', '3100 Peachtree Road', 'Atlanta', '30305', 'GA', '(404) 555-0220', '(404) 555-0221');
INSERT INTO tblSuppliers VALUES (13, 'Presto Music Service', 'Rachel Adams', 'Customer Service', '58 Main Street', 'Burlington', '05401', 'VT', '(802) 555-0230', '(802) 555-0231');
INSERT INTO tblSuppliers VALUES (14, 'Rondo Distributors', 'Thomas Wright', 'Sales Representative', '905 Market Street', 'Denver', '80202', 'CO', '(303) 555-0240', '(303) 555-0241');
INSERT INTO tblSuppliers VALUES (15, 'Sonata Sound Traders', 'Grace Howard', 'Regional Manager', '410 Canal Street', 'New Orleans', '70130', 'LA', '(504) 555-0250', '(504) 555-0251');

-- Purchase orders.
INSERT INTO tblPO VALUES (1, 'PO-1001', 'Autumn restock of symphonies', 1, '9/1/2026', '9/15/2026', '9/12/2026', '9/10/2026');
INSERT INTO tblPO VALUES (2, 'PO-1002', 'Baroque titles for the new season', 2, '9/8/2026', '9/22/2026', '9/20/2026', '9/18/2026');
INSERT INTO tblPO VALUES (3, 'PO-1003', 'Holiday ballet stock', 3, '9/20/2026', '10/15/2026', '10/10/2026', '10/8/2026');
INSERT INTO tblPO VALUES (4, 'PO-1004', 'Choral works', 5, '10/1/2026', '10/20/2026', '10/18/2026', '10/16/2026');
INSERT INTO tblPO VALUES (5, 'PO-1005', 'Concertos reorder', 6, '10/12/2026', '10/30/2026', '10/28/2026', '10/27/2026');
INSERT INTO tblPO VALUES (6, 'PO-1006', 'Chamber music and serenades', 8, '10/25/2026', '11/10/2026', '11/8/2026', '11/6/2026');
INSERT INTO tblPO VALUES (7, 'PO-1007', 'Holiday season top-up', 3, '11/5/2026', '11/20/2026', '11/18/2026', '11/17/2026');
INSERT INTO tblPO VALUES (8, 'PO-1008', 'Piano recordings', 10, '11/16/2026', '12/1/2026', '11/30/2026', '11/28/2026');
INSERT INTO tblPO VALUES (9, 'PO-1009', 'Year-end symphony restock', 1, '11/28/2026', '12/12/2026', '12/10/2026', '12/9/2026');
INSERT INTO tblPO VALUES (10, 'PO-1010', 'Italian baroque', 15, '12/2/2026', '12/18/2026', '12/16/2026', '12/15/2026');

-- Stock transactions: deliveries of each purchase order, then sales.
INSERT INTO tblTransactions VALUES (1, '9/10/2026', 1, 1, 'Received from supplier', '9.60', 20, 20, 0, 0);
INSERT INTO tblTransactions VALUES (2, '9/10/2026', 2, 1, 'Received from supplier', '11.40', 12, 12, 0, 0);
INSERT INTO tblTransactions VALUES (3, '9/10/2026', 13, 1, 'Received; one case damaged', '9.30', 10, 9, 0, 1);
INSERT INTO tblTransactions VALUES (4, '9/18/2026', 8, 2, 'Received from supplier', '12.00', 10, 10, 0, 0);
INSERT INTO tblTransactions VALUES (5, '9/18/2026', 9, 2, 'Received from supplier', '8.70', 8, 8, 0, 0);
INSERT INTO tblTransactions VALUES (6, '9/18/2026', 10, 2, 'Received from supplier', '13.20', 6, 6, 0, 0);
INSERT INTO tblTransactions VALUES (7, '10/8/2026', 11, 3, 'Received from supplier', '7.80', 24, 24, 0, 0);
INSERT INTO tblTransactions VALUES (8, '10/8/2026', 12, 3, 'Received from supplier', '9.60', 10, 10, 0, 0);
INSERT INTO tblTransactions VALUES (9, '10/16/2026', 7, 4, 'Received from supplier', '10.20', 10, 10, 0, 0);
INSERT INTO tblTransactions VALUES (10, '10/16/2026', 16, 4, 'Received from supplier', '8.10', 10, 10, 0, 0);
INSERT INTO tblTransactions VALUES (11, '10/16/2026', 2, 4, 'Received from supplier', '11.40', 6, 6, 0, 0);
INSERT INTO tblTransactions VALUES (12, '10/27/2026', 3, 5, 'Received from supplier', '9.00', 10, 10, 0, 0);
INSERT INTO tblTransactions VALUES (13, '10/27/2026', 14, 5, 'Partial delivery', '9.00', 10, 8, 0, 0);
INSERT INTO tblTransactions VALUES (14, '11/6/2026', 6, 6, 'Received from supplier', '7.20', 15, 15, 0, 0);
INSERT INTO tblTransactions VALUES (15, '11/6/2026', 5, 6, 'Received from supplier', '8.40', 12, 12, 0, 0);
INSERT INTO tblTransactions VALUES (16, '11/17/2026', 11, 7, 'Received from supplier', '7.80', 20, 20, 0, 0);
INSERT INTO tblTransactions VALUES (17, '11/17/2026', 15, 7, 'Received from supplier', '6.90', 20, 20, 0, 0);
INSERT INTO tblTransactions VALUES (18, '11/28/2026', 4, 8, 'Received from supplier', '7.80', 10, 10, 0, 0);
INSERT INTO tblTransactions VALUES (19, '11/28/2026', 3, 8, 'Received from supplier', '9.00', 6, 6, 0, 0);
INSERT INTO tblTransactions VALUES (20, '11/28/2026', 9, 8, 'Received from supplier', '8.70', 4, 4, 0, 0);
INSERT INTO tblTransactions VALUES (21, '12/9/2026', 1, 9, 'Received from supplier', '9.60', 15, 15, 0, 0);
INSERT INTO tblTransactions VALUES (22, '12/9/2026', 5, 9, 'Received from supplier', '8.40', 10, 10, 0, 0);
INSERT INTO tblTransactions VALUES (23, '12/9/2026', 13, 9, 'Received from supplier', '9.30', 8, 8, 0, 0);
INSERT INTO tblTransactions VALUES (24, '12/15/2026', 15, 10, 'Received from supplier', '6.90', 12, 12, 0, 0);
INSERT INTO tblTransactions VALUES (25, '12/15/2026', 16, 10, 'Received from supplier', '8.10', 8, 8, 0, 0);
INSERT INTO tblTransactions VALUES (26, '9/18/2026', 1, 1, 'Store sales', '9.60', 0, 0, 6, 0);
INSERT INTO tblTransactions VALUES (27, '9/27/2026', 8, 2, 'Store sales', '12.00', 0, 0, 3, 0);
INSERT INTO tblTransactions VALUES (28, '10/18/2026', 11, 3, 'Holiday sales', '7.80', 0, 0, 14, 0);
INSERT INTO tblTransactions VALUES (29, '10/27/2026', 7, 4, 'Store sales', '10.20', 0, 0, 4, 0);
INSERT INTO tblTransactions VALUES (30, '11/3/2026', 14, 5, 'Store sales', '9.00', 0, 0, 2, 0);
INSERT INTO tblTransactions VALUES (31, '11/14/2026', 6, 6, 'Store sales', '7.20', 0, 0, 5, 0);
INSERT INTO tblTransactions VALUES (32, '11/26/2026', 15, 7, 'Holiday sales; one disc broken', '6.90', 0, 0, 9, 1);

-- The states offered by the supplier form.
INSERT INTO tblStates (State) VALUES ('AL'), ('AK'), ('AZ'), ('AR'), ('CA'), ('CO'), ('CT'), ('DE'), ('FL'), ('GA'), ('HI'), ('ID'), ('IL'), ('IN'), ('IA'), ('KS'), ('KY'), ('LA'), ('ME'), ('MD'), ('MA'), ('MI'), ('MN'), ('MS'), ('MO'), ('MT'), ('NE'), ('NV'), ('NH'), ('NJ'), ('NM'), ('NY'), ('NC'), ('ND'), ('OH'), ('OK'), ('OR'), ('PA'), ('RI'), ('SC'), ('SD'), ('TN'), ('TX'), ('UT'), ('VT'), ('VA'), ('WA'), ('WV'), ('WI'), ('WY');

-- The pristine copies the restore reads from.
INSERT INTO tblProductsBak SELECT tblProducts.* FROM tblProducts;
INSERT INTO tblSuppliersBak SELECT tblSuppliers.* FROM tblSuppliers;
INSERT INTO tblTransactionsBak SELECT tblTransactions.* FROM tblTransactions;
INSERT INTO tblPOBak SELECT tblPO.* FROM tblPO;
